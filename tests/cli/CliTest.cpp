// ppspin-cli as a user runs it: a process in a folder, its exit status,
// its output streams and the files it leaves.
#include "InputCatalogue.h"
#include "NumberText.h"
#include "RunCalculation.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ppspin {
namespace {

using testing::CrlfLines;
using testing::ReadBytes;
using testing::TempDir;

struct Outcome {
    int status;
    std::string out, err;
};

// Runs ppspin-cli with the arguments (shell words) inside dir, after the
// shell commands before; its output goes where stdout says.
Outcome RunCli(const TempDir& dir, const std::string& args, const std::string& before = "",
               const std::string& stdout = ">.stdout") {
    const std::string command = "cd '" + dir.Path().string() + "' && " + before +
                                " env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C '" +
                                PPSPIN_CLI_PATH + "' " + args + " " + stdout + " 2>.stderr";
    const int raw = std::system(command.c_str());
    Outcome o{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir.File(".stdout")),
              ReadBytes(dir.File(".stderr"))};
    std::filesystem::remove(dir.File(".stdout"));
    std::filesystem::remove(dir.File(".stderr"));
    return o;
}

// Runs a shell command inside dir, "%" standing for ppspin-cli; the command
// puts the exit status that counts into .status. Returns that status.
int Shell(const TempDir& dir, std::string command) {
    for (auto at = command.find('%'); at != std::string::npos; at = command.find('%', at))
        command.replace(
            at, 1,
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C '" PPSPIN_CLI_PATH "'");
    std::system(("cd '" + dir.Path().string() + "' && " + command + " 2>/dev/null").c_str());
    const std::string status = ReadBytes(dir.File(".status"));
    std::filesystem::remove(dir.File(".status"));
    return status.empty() ? -1 : std::stoi(status);
}

// A file system of 64 KiB of its own in dir, for a disk that fills up;
// only root may mount one.
class SmallDisk {
  public:
    explicit SmallDisk(const TempDir& dir) : path_(dir.File("disk")) {
        std::filesystem::create_directory(path_);
        mounted_ =
            geteuid() == 0 &&
            std::system(("mount -t tmpfs -o size=64k tmpfs '" + path_ + "' 2>/dev/null").c_str()) ==
                0;
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk() {
        if (mounted_)
            std::system(("umount '" + path_ + "'").c_str());
    }
    bool Mounted() const { return mounted_; }
    // Takes up what is left of it.
    void Fill() const {
        std::system(("dd if=/dev/zero of='" + path_ + "/fill' bs=4k 2>/dev/null").c_str());
    }

  private:
    std::string path_;
    bool mounted_ = false;
};

std::size_t Entries(const TempDir& dir) {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

// Width and height from a PNG's header chunk.
std::pair<int, int> PngSize(const std::string& bytes) {
    auto be32 = [&](std::size_t at) {
        int v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    return {be32(16), be32(20)};
}

TEST(Cli, DefaultsWriteTheReportInTheCurrentFolder) {
    TempDir dir;
    const Outcome o = RunCli(dir, "");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out, "7 trials, spinneret tension 20.1741 dyn, velocity at the last point 3496.5 "
                     "m/min, report " +
                         dir.File("result.txt") + "\n");
    const auto lines = CrlfLines(ReadBytes(dir.File("result.txt")));
    ASSERT_EQ(lines.size(), 148u);
    EXPECT_EQ(lines[145],
              " 100.0  3496.5  319.710   32.2  0.00174   20.4  0.03704  0.1809  0.1811");
}

TEST(Cli, OptionsTakeTheFieldTexts) {
    TempDir dir;
    const Outcome o = RunCli(dir, "--take-up-speed ' 3000' --increment 0.5 --output r.txt");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = CrlfLines(ReadBytes(dir.File("r.txt")));
    ASSERT_EQ(lines.size(), 45u + 201u + 2u);
    EXPECT_EQ(lines[4], "    Take-up Speed                     (m/min) =  3000.0");
    EXPECT_EQ(lines[37], "    Increment                            (cm) =  0.5");
}

TEST(Cli, RefusedInputsExitWithTwo) {
    TempDir dir;
    const struct {
        const char* args;
        const char* message;
    } cases[] = {
        {"--hole-diameter 0", "Value of Hole Diameter is not correct\n"},
        {"--zone3-air-velocity -1", "Value of 3rd Zone Air Velocity is not correct\n"},
        {"--take-up-speed 1e400", "Input value is not correct!\n"},
        {"--output ''", "Save File Name is not correct\n"},
        {"--increment 0.01", "Value of Increment is too small for 3rd Zone End Position\n"},
        // Every count read alike, with one message.
        {"--max-trials 0x10", "--max-trials: Value 0x10 is not a whole number from 1 to "
                              "1000000\nRun with --help for more information.\n"},
        {"--jobs ' 2'", "--jobs: Value  2 is not a whole number from 1 to 1024\nRun with "
                        "--help for more information.\n"},
        {"--max-runs +3 --fit zone2-a1 --measured m.csv",
         "--max-runs: Value +3 is not a whole number from 1 to 1000000\nRun with --help for "
         "more information.\n"},
    };
    for (const auto& c : cases) {
        const Outcome o = RunCli(dir, c.args);
        EXPECT_EQ(o.status, 2) << c.args;
        EXPECT_EQ(o.err, c.message) << c.args;
        EXPECT_EQ(o.out, "") << c.args;
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << c.args;
    }
    EXPECT_EQ(RunCli(dir, "--no-such-option 1").status, 2);
}

// "--name=" is an emptied field, in both spellings, and an option never
// takes the next option as its value.
TEST(Cli, AnEmptyValueIsAnEmptyField) {
    TempDir dir;
    std::vector<std::pair<std::string, std::string>> options;
    for (const TInputField& f : EditableInputs())
        options.emplace_back(f.Name, "Input value is not correct!\n");
    options.emplace_back("output", "Save File Name is not correct\n");
    for (const auto& [name, message] : options) {
        const std::string next =
            name == "take-up-speed" ? " --increment=2" : " --take-up-speed=2000";
        for (const std::string& empty : {"--" + name + "=", "--" + name + " ''"}) {
            const Outcome o = RunCli(dir, empty + next);
            EXPECT_EQ(o.status, 2) << empty;
            EXPECT_EQ(o.err, message) << empty;
            EXPECT_EQ(Entries(dir), 0u) << empty;
        }
    }
    const Outcome o = RunCli(dir, "--output --take-up-speed=2000");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "--output: a value is missing (write --output= for an empty one)\n");
    for (const std::string name : {"csv", "inputs-from"}) {
        const Outcome empty = RunCli(dir, "--" + name + "= --take-up-speed=2000");
        EXPECT_EQ(empty.status, 2) << name;
        EXPECT_EQ(empty.err, "--" + name + ": the file name is empty\n");
    }
    EXPECT_EQ(Entries(dir), 0u);
}

// A run that fails leaves the report of an earlier run as it was.
TEST(Cli, RunErrorsExitWithOneAndKeepTheEarlierReport) {
    TempDir dir;
    ASSERT_EQ(RunCli(dir, "").status, 0);
    const std::string earlier = ReadBytes(dir.File("result.txt"));
    const struct {
        const char* args;
        const char* message;
        const char* before = "";
    } cases[] = {
        {"--hole-diameter=0.2", "Invalid floating point operation\n"},
        {"--take-up-speed=1e7", "Calculation did not converge\n"},
        // The zone-2 law divides by z + A2 = 0 at z = 10 cm.
        {"--zone2-a2 -10", "Floating point division by zero\n"},
        // A disk that fills up in the middle of the rows.
        {"--increment 0.1", "Can not write to file result.txt: File too large\n",
         "trap '' XFSZ; ulimit -f 8;"},
    };
    for (const auto& c : cases) {
        const Outcome o = RunCli(dir, c.args, c.before);
        EXPECT_EQ(o.status, 1) << c.args;
        EXPECT_EQ(o.err, c.message) << c.args;
        EXPECT_EQ(ReadBytes(dir.File("result.txt")), earlier) << c.args;
        EXPECT_EQ(Entries(dir), 1u) << c.args;
    }
}

TEST(Cli, AReportThatCannotBeReplacedIsRefusedBeforeTheRun) {
    TempDir dir;
    std::vector<std::string> names = {"missing/r.txt", "."};
    if (std::filesystem::exists("/proc/version"))
        names.push_back("/proc/version"); // exists, and nobody may write it
    for (const std::string& name : names) {
        const Outcome o = RunCli(dir, "--output " + name);
        EXPECT_EQ(o.status, 1) << name;
        EXPECT_EQ(o.err, "File can not open!\n") << name;
    }
    EXPECT_EQ(Entries(dir), 0u);
    if (std::filesystem::exists("/dev/full")) {
        const Outcome o = RunCli(dir, "--output /dev/full"); // written, not replaced
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err.find("/dev/full: No space left on device"), std::string::npos) << o.err;
    }
}

TEST(Cli, OutputThatCannotBeWrittenIsAnError) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    for (const char* args : {"", "--sweep take-up-speed=3000:3500:500", "--help"}) {
        const Outcome o = RunCli(dir, args, "", ">/dev/full");
        EXPECT_EQ(o.status, 1) << args;
        EXPECT_EQ(o.err, "Can not write to standard output: No space left on device\n") << args;
    }
}

TEST(Cli, OutputsThatNameOneFileAreRefusedBeforeAnyRun) {
    TempDir dir;
    for (const char* args :
         {"--output r.txt --csv ./r.txt",
          "--sweep take-up-speed=3000:3500:500 --report-dir . --summary take-up-speed=3500.txt",
          "--sweep take-up-speed=3000:3500:500 --summary s.svg --summary-plot s.svg"}) {
        const Outcome o = RunCli(dir, args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_EQ(o.err.rfind("Output files clash: ", 0), 0u) << o.err;
        EXPECT_EQ(Entries(dir), 0u) << args;
    }
}

TEST(Cli, TheTrialBoundCanBeSet) {
    TempDir dir;
    // Solvable, but only after 2456 trials.
    const std::string slow =
        "--zone1-a1=2.4931636e+05 --zone1-a2=1e+02 --zone2-air-velocity=191.7422779477576";
    Outcome o = RunCli(dir, slow);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.substr(0, 12), "2456 trials,");
    o = RunCli(dir, slow + " --max-trials 2455");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Calculation did not converge\n");
}

// A report is a case file: its inputs run again give it again.
TEST(Cli, AReportsInputsReproduceIt) {
    TempDir dir;
    ASSERT_EQ(RunCli(dir, "--take-up-speed 3000 --zone2-air-velocity 80 --increment 0.5 "
                          "--hole-diameter 0.03 --zone1-a3=-1650.25 --output a.txt")
                  .status,
              0);
    ASSERT_EQ(RunCli(dir, "--inputs-from a.txt --output b.txt").status, 0);
    EXPECT_EQ(ReadBytes(dir.File("b.txt")), ReadBytes(dir.File("a.txt")));
    ASSERT_EQ(RunCli(dir, "--inputs-from a.txt --take-up-speed 3100 --output c.txt").status, 0);
    EXPECT_NE(ReadBytes(dir.File("c.txt")).find("=  3100.0\r\n"), std::string::npos);

    const Outcome o = RunCli(dir, "--inputs-from CMakeCache.txt --output d.txt");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "Can not read report CMakeCache.txt\n");
    std::ofstream(dir.File("x.txt")) << "not a report\n";
    EXPECT_EQ(RunCli(dir, "--inputs-from x.txt --output d.txt").status, 2);
    // Read no further than a header reaches: a folder, an endless device.
    std::filesystem::create_directory(dir.File("folder"));
    for (const std::string name : {"folder", "/dev/zero"}) {
        const Outcome refused = RunCli(dir, "--inputs-from " + name + " --output d.txt");
        EXPECT_EQ(refused.status, 2) << name;
        EXPECT_EQ(refused.err.rfind(name + ": Not a report of this program: ", 0), 0u)
            << refused.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.txt")));
}

// The columns as the README names them, each holding its field of the
// run's points exactly.
TEST(Cli, CsvHoldsTheConvergedProfile) {
    TempDir dir;
    const Outcome o = RunCli(dir, "--csv profile.csv");
    ASSERT_EQ(o.status, 0) << o.err;
    TRun run;
    const TRunOutcome outcome = RunCalculation(run, DefaultFieldTexts('.'));
    ASSERT_TRUE(outcome.Snapshot) << outcome.Message;
    const std::string csv = ReadBytes(dir.File("profile.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "z_cm,v_m_min,F_dyn,T_C,D_cm,Ta_C,h_cal_cm2_s_C,ten_re_g_den,ten_ap_g_den");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 102);
    EXPECT_NE(csv.find("\n0,18.8254"), std::string::npos) << csv.substr(0, 200);

    std::istringstream rows(csv.substr(csv.find('\n') + 1));
    std::string row;
    for (const TProfilePoint& p : outcome.Snapshot->Points) {
        ASSERT_TRUE(std::getline(rows, row));
        const double expected[] = {p.Z, p.VM, p.F, p.T, p.D, p.TA, p.H, p.TenRe, p.TenAp};
        std::istringstream cells(row);
        std::string cell;
        for (const double value : expected) {
            double read = 0;
            ASSERT_TRUE(std::getline(cells, cell, ',')) << row;
            ASSERT_EQ(ReadDouble(cell, read), TNumberRead::Ok) << row;
            EXPECT_EQ(read, value) << row;
        }
        EXPECT_FALSE(std::getline(cells, cell)) << row;
    }
    EXPECT_FALSE(std::getline(rows, row)) << row;
}

TEST(Cli, HelpListsEveryOptionWithItsDefault) {
    TempDir dir;
    const Outcome o = RunCli(dir, "--help");
    EXPECT_EQ(o.status, 0);
    for (const char* text : {"--hole-diameter",
                             "--take-up-speed",
                             "--zone1-end",
                             "--zone1-a1",
                             "--zone1-a2",
                             "--zone1-a3",
                             "--zone1-air-velocity",
                             "--zone2-end",
                             "--zone2-a1",
                             "--zone2-a2",
                             "--zone2-a3",
                             "--zone2-air-velocity",
                             "--zone3-end",
                             "--zone3-air-velocity",
                             "--increment",
                             "--output",
                             "--csv",
                             "(m/min)",
                             "245700.0",
                             "result.txt",
                             "Usage: ppspin-cli [OPTIONS]"})
        EXPECT_NE(o.out.find(text), std::string::npos) << text;
#ifdef PPSPIN_MAN_PAGE_PATH
    // The man page is made from the help.
    std::system(("zcat '" PPSPIN_MAN_PAGE_PATH "' >'" + dir.File("man") + "'").c_str());
    const std::string man = ReadBytes(dir.File("man"));
    EXPECT_NE(man.find(".SH SYNOPSIS\n.B ppspin-cli\n"), std::string::npos) << man;
#endif
}

TEST(Cli, SweepWritesTheSummaryQuietly) {
    TempDir dir;
    const Outcome o =
        RunCli(dir, "--sweep take-up-speed=3000:4000:500 --summary s.csv --report-dir reports");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, ""); // no progress counter when stderr is not a terminal
    const std::string csv = ReadBytes(dir.File("s.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "take-up-speed,status,trials,F0_dyn,F_end_dyn,v_end_m_min,D_end_um,T_end_C,"
              "z_freeze_cm,ten_ap_end_g_den");
    EXPECT_NE(csv.find("\n3500,ok,7,20.17409808"), std::string::npos) << csv;
    EXPECT_TRUE(std::filesystem::exists(dir.File("reports/take-up-speed=4000.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("result.txt")));
}

// However many values run at once, the study writes the same bytes.
TEST(Cli, AStudyOnSeveralThreadsWritesWhatOneThreadWrites) {
    TempDir dir;
    std::map<std::string, std::string> written[3];
    // More jobs than hardware threads run as asked, without a word.
    const int jobs[] = {1, 3, 64};
    for (int k = 0; k < 3; ++k) {
        const Outcome o = RunCli(dir, "--sweep zone2-a2=-12:-8:0.25 --summary s.csv "
                                      "--report-dir r --jobs " +
                                          std::to_string(jobs[k]));
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "") << jobs[k];
        for (const auto& file : std::filesystem::recursive_directory_iterator(dir.Path()))
            if (file.is_regular_file())
                written[k][file.path().string()] = ReadBytes(file.path().string());
        std::filesystem::remove_all(dir.Path() / "r");
    }
    // The summary and 14 reports: -12, -11 and -10 divide by zero at z = 12, 11, 10.
    EXPECT_EQ(written[0].size(), 15u);
    EXPECT_EQ(written[0], written[1]);
    EXPECT_EQ(written[0], written[2]);
    EXPECT_NE(written[0][dir.File("s.csv")].find("\n-10,Floating point division by zero,"),
              std::string::npos);
}

TEST(Cli, GridStudyWritesARowPerPairAndItsMaps) {
#ifndef PPSPIN_WITH_PLOTS
    GTEST_SKIP() << "built without Qt Charts";
#endif
    TempDir dir;
    const Outcome o = RunCli(dir, "--sweep take-up-speed=2000:4000:1000 --sweep "
                                  "hole-diameter=0.02:0.03:0.005 --summary g.csv "
                                  "--summary-plot g.png --plot-size 900x700");
    ASSERT_EQ(o.status, 0) << o.err;
    const std::string csv = ReadBytes(dir.File("g.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 10);
    EXPECT_NE(csv.find("\n2000,0.02,ok,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n4000,0.03,ok,"), std::string::npos) << csv;
    EXPECT_EQ(PngSize(ReadBytes(dir.File("g.png"))), std::make_pair(900, 700));
}

TEST(Cli, SensitivitiesOfEveryInput) {
    TempDir dir;
    const Outcome o = RunCli(dir, "--sensitivity");
    ASSERT_EQ(o.status, 0) << o.err;
    const auto lines = std::count(o.out.begin(), o.out.end(), '\n');
    EXPECT_EQ(lines, 1 + std::ssize(EditableInputs()));
    EXPECT_EQ(o.out.rfind("input,value,step,status,F0_dyn,", 0), 0u) << o.out;
    // Mass is conserved: the end diameter goes as the take-up speed to -1/2.
    const auto row = o.out.find("\ntake-up-speed,3500,1%,ok,");
    ASSERT_NE(row, std::string::npos) << o.out;
    std::vector<double> cells;
    std::stringstream line(o.out.substr(row + 26, o.out.find('\n', row + 1) - row - 26));
    for (std::string cell; std::getline(line, cell, ',');)
        cells.push_back(std::stod(cell));
    ASSERT_EQ(cells.size(), 7u);
    EXPECT_NEAR(cells[3], -0.5, 0.06); // D_end_um
    EXPECT_NE(o.out.find("\nzone1-air-velocity,0,+1,ok,"), std::string::npos) << o.out;
}

TEST(Cli, SolvePrintsTheValueThenRunsIt) {
    TempDir dir;
    const Outcome o = RunCli(dir, "--solve take-up-speed --target D_end_um=20");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.rfind("take-up-speed=2639.6", 0), 0u) << o.out;
    EXPECT_NE(o.out.find("\n8 trials,"), std::string::npos) << o.out;
    EXPECT_NE(ReadBytes(dir.File("result.txt")).find("(m/min) =  2639.6\r\n"), std::string::npos);
    EXPECT_EQ(RunCli(dir, "--solve take-up-speed --target D_end_um=20 --bracket 3000:4000").status,
              2);
    EXPECT_EQ(RunCli(dir, "--solve take-up-speed --target diameter=20").status, 2);
    const Outcome refused = RunCli(dir, "--solve take-up-speed --target D_end_um=20 "
                                        "--take-up-speed -1");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "Value of Take-up Speed is not correct\n");
}

// Values whose reports cannot be kept fail the study; values the model
// cannot compute do not, since their rows say so.
TEST(Cli, AStudyThatLosesItsReportsExitsWithOne) {
    TempDir dir;
    const Outcome o = RunCli(dir, "--sweep zone2-a2=-11:-10:1 --summary s.csv --report-dir /proc");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(ReadBytes(dir.File("s.csv")).find("\n-11,File can not open!,"), std::string::npos);
    EXPECT_EQ(RunCli(dir, "--sweep zone2-a2=-11:-10:1 --summary s.csv").status, 0);
    EXPECT_NE(ReadBytes(dir.File("s.csv")).find("\n-10,Floating point division by zero,"),
              std::string::npos);
}

TEST(Cli, AnInterruptedStudyKeepsTheRowsItFinished) {
    TempDir dir;
    // Killed once four rows are written.
    const std::string command =
        "cd '" + dir.Path().string() +
        "' && { '" PPSPIN_CLI_PATH
        "' --sweep take-up-speed=1000:5000:1 --increment 0.1 --summary s.csv >/dev/null 2>&1 & "
        "pid=$!; for i in $(seq 400); do [ \"$(cat s.csv.partial 2>/dev/null | wc -l)\" -ge 5 ] && "
        "break; sleep 0.05; done; kill -9 $pid; wait $pid; } 2>/dev/null";
    std::system(command.c_str());
    // Each row goes out in one write, but the kernel may end a write part
    // way for a SIGKILL (as it did once in CI): only the last row may be torn.
    std::string csv = ReadBytes(dir.File("s.csv.partial"));
    csv.resize(csv.rfind('\n') + 1);
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv.rfind("take-up-speed,status,", 0), 0u);
    const auto rows = std::count(csv.begin(), csv.end(), '\n') - 1;
    EXPECT_GE(rows, 4);
    EXPECT_LT(rows, 4001);
    EXPECT_NE(csv.find("\n1003,ok,"), std::string::npos) << csv;
}

// Ended by a signal while its CSV waits for a FIFO's reader, after the
// report's temporary file is made: the signal still ends it, and takes the
// temporary file with it.
TEST(Cli, ASignalLeavesNoTemporaryFile) {
    const auto temporaries = [](const TempDir& dir) {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            n += entry.path().filename().string().rfind(".ppspin-", 0) == 0;
        return n;
    };
    for (const int signal : {SIGTERM, SIGINT}) {
        TempDir dir;
        ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            std::signal(signal, SIG_DFL); // as at a terminal, whatever runs the tests
            if (chdir(dir.Path().c_str()) == 0)
                execl(PPSPIN_CLI_PATH, "ppspin-cli", "--csv", "fifo", nullptr);
            _exit(127);
        }
        for (int i = 0; i < 1000 && temporaries(dir) == 0; ++i)
            usleep(10000);
        EXPECT_EQ(temporaries(dir), 1);
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(temporaries(dir), 0);
    }
}

TEST(Cli, BadSweepsAreRefused) {
    TempDir dir;
    const struct {
        const char* args;
        const char* message;
    } cases[] = {
        {"--sweep take-up-speed=5000:1000:250",
         "Sweep range is not correct: FROM is greater than TO\n"},
        {"--sweep take-up-speed=1000:5000:0",
         "Sweep range is not correct: STEP must be greater than 0\n"},
        {"--sweep hole-diameter=0.025:0.0250000000001:1e-14",
         "Sweep range is not correct: STEP is too small for values of 12 significant digits\n"},
    };
    for (const auto& c : cases) {
        const Outcome o = RunCli(dir, c.args);
        EXPECT_EQ(o.status, 2) << c.args;
        EXPECT_EQ(o.err, c.message) << c.args;
    }
    EXPECT_EQ(RunCli(dir, "--summary s.csv").status, 2); // needs --sweep
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

// Measured points: one RMS line per quantity after the summary.
TEST(Cli, MeasuredPointsPrintTheirRms) {
    TempDir dir;
    std::ofstream(dir.File("m.csv")) << "z_cm,D_um,T_C\n10,75,170\n50,20,\n";
    const Outcome o = RunCli(dir, "--measured m.csv");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.substr(o.out.find('\n') + 1),
              "rms T_C 4.6 (1 point)\nrms D_um 12 (2 points)\n");
}

TEST(Cli, BadMeasuredFilesAndFitsAreRefusedBeforeAnyRun) {
    TempDir dir;
    std::ofstream(dir.File("m.csv")) << "z_cm,T_C\n10,170\n20,abc\n";
    std::ofstream(dir.File("far.csv")) << "z_cm,T_C\n120,30\n";
    std::ofstream(dir.File("ok.csv")) << "z_cm,T_C\n10,170\n";
    const struct {
        const char *args, *message;
    } cases[] = {
        {"--measured m.csv", "m.csv: line 3: T_C \"abc\" is not a number\n"},
        {"--measured far.csv",
         "far.csv: line 2: z_cm 120 lies outside the spinline, 0 to 100 cm\n"},
        {"--measured none.csv", "Can not read measured file none.csv\n"},
        {"--measured ok.csv --csv ok.csv",
         "Output files clash: ok.csv is read by --measured and would be replaced by --csv\n"},
        {"--measured ok.csv --fit take-up-speed,diameter", "Unknown input to fit: \"diameter\"\n"},
        {"--measured ok.csv --fit zone3-air-velocity",
         "zone3-air-velocity starts at 0, which gives its bounds no scale: they must be given\n"},
        {"--measured ok.csv --fit take-up-speed --fit-bounds take-up-speed=4000:5000",
         "take-up-speed starts at 3500, outside its bounds 4000 to 5000\n"},
        {"--measured ok.csv --fit take-up-speed --fit-bounds zone2-a1=1:2",
         "Fit bounds are not correct: expected NAME=LO:HI with NAME an input of --fit\n"},
    };
    for (const auto& c : cases) {
        const Outcome o = RunCli(dir, c.args);
        EXPECT_EQ(o.status, 2) << c.args;
        EXPECT_EQ(o.err, c.message) << c.args;
        EXPECT_EQ(o.out, "") << c.args;
        EXPECT_EQ(Entries(dir), 3u) << c.args;
    }
    EXPECT_EQ(RunCli(dir, "--fit take-up-speed").status, 2); // needs --measured
}

// A profile CSV is a measured file: fitted from the defaults, the run it
// came from is found again, then run as a single run.
TEST(Cli, FitPrintsTheValuesThenRunsThem) {
    TempDir dir;
    ASSERT_EQ(RunCli(dir, "--take-up-speed 3100 --zone2-air-velocity 85 --csv truth.csv "
                          "--output truth.txt")
                  .status,
              0);
    Outcome o = RunCli(dir, "--measured truth.csv --fit take-up-speed,zone2-air-velocity");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    std::vector<std::string> lines;
    for (std::stringstream out(o.out); std::getline(out, lines.emplace_back());)
        ;
    lines.pop_back();
    ASSERT_EQ(lines.size(), 14u) << o.out;
    EXPECT_NEAR(std::stod(lines[0].substr(lines[0].find('=') + 1)), 3100, 1);
    EXPECT_NEAR(std::stod(lines[1].substr(lines[1].find('=') + 1)), 85, 0.1);
    EXPECT_EQ(lines[0].rfind("take-up-speed=", 0), 0u);
    EXPECT_EQ(lines[1].rfind("zone2-air-velocity=", 0), 0u);
    EXPECT_EQ(lines[2].rfind("rms v_m_min 251 -> ", 0), 0u) << lines[2];
    EXPECT_EQ(lines[5].rfind("rms D_cm 0.000129 -> ", 0), 0u) << lines[5];
    EXPECT_EQ(lines[5].substr(lines[5].size() - 13), " (101 points)");
    EXPECT_NE(lines[6].find(" runs, 0 failed"), std::string::npos) << lines[6];
    EXPECT_EQ(lines[7].rfind("standard error take-up-speed ", 0), 0u);
    EXPECT_EQ(lines[8].rfind("standard error zone2-air-velocity ", 0), 0u);
    EXPECT_NE(lines[9].find(" trials, spinneret tension "), std::string::npos);
    EXPECT_EQ(lines[10].rfind("rms v_m_min ", 0), 0u);
    EXPECT_NE(ReadBytes(dir.File("result.txt")).find("(m/min) =  3099."), std::string::npos);

    // Points after the filament has set hardly see the hole: a warning.
    std::ofstream(dir.File("d.csv")) << "z_cm,D_um\n60,20.3\n70,19.9\n80,19.4\n90,19.3\n100,19.1\n";
    o = RunCli(dir, "--measured d.csv --fit take-up-speed,hole-diameter");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "Warning: hole-diameter is undetermined: its standard error 0.0953 exceeds "
                     "its value 0.0261\nWarning: take-up-speed and hole-diameter are nearly "
                     "interchangeable (correlation 0.97)\n");

    // Stopped at its run limit: the best values so far, and no report.
    std::filesystem::remove(dir.File("result.txt"));
    o = RunCli(dir, "--measured d.csv --fit take-up-speed,hole-diameter --max-runs 5");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "The fit stopped at its limit of 5 runs\n");
    EXPECT_NE(o.out.find("\n5 runs, 0 failed\n"), std::string::npos) << o.out;
    EXPECT_FALSE(std::filesystem::exists(dir.File("result.txt")));
}

TEST(Cli, PlotsNeedNoDisplay) {
#ifndef PPSPIN_WITH_PLOTS
    GTEST_SKIP() << "built without Qt Charts";
#endif
    TempDir dir;
    Outcome o = RunCli(dir, "--plot p.png --plot-size 800x600");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(PngSize(ReadBytes(dir.File("p.png"))), std::make_pair(800, 600));

    o = RunCli(dir, "--sweep take-up-speed=3000:4000:500 --summary s.csv --summary-plot s.svg");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(ReadBytes(dir.File("s.svg")).find("<svg"), std::string::npos);

    std::ofstream(dir.File("m.csv")) << "z_cm,D_um,T_C\n10,75,170\n50,20,\n";
    o = RunCli(dir, "--measured m.csv --plot m.png --plot-size 800x600 --residual-plot r.svg");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(PngSize(ReadBytes(dir.File("m.png"))), std::make_pair(800, 600));
    EXPECT_NE(ReadBytes(dir.File("r.svg")).find("Measured minus model"), std::string::npos);
}

// Pictures need Qt; the runner loads it only for them.
TEST(Cli, RunsWithoutPicturesLoadNoQt) {
    TempDir dir;
    const Outcome o = RunCli(dir, "", "LD_DEBUG=libs");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.err.find("libstdc++"), std::string::npos) << "LD_DEBUG said nothing";
    EXPECT_EQ(o.err.find("libQt6"), std::string::npos);
}

TEST(Cli, WithoutThePlotModuleOnlyPicturesFail) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("bin"));
    std::filesystem::copy_file(PPSPIN_CLI_PATH, dir.File("bin/ppspin-cli"));
    const auto run = [&](const std::string& args) {
        const std::string command =
            "cd '" + dir.Path().string() + "' && bin/ppspin-cli " + args + " >/dev/null 2>.stderr";
        const int raw = std::system(command.c_str());
        return std::pair(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir.File(".stderr")));
    };
    EXPECT_EQ(run("").first, 0);
    std::filesystem::remove(dir.File("result.txt"));
    const auto [status, err] = run("--plot p.png");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err.rfind("Pictures are not available: the plot module ppspin-plots.so is not "
                        "installed (looked for " +
                            dir.File("bin/ppspin-plots.so"),
                        0),
              0u)
        << err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("result.txt"))); // refused before the run
}

TEST(Cli, BadPlotOptionsAreRefusedBeforeTheRun) {
    TempDir dir;
    for (const char* args : {"--plot p.jpg", "--plot p.png --plot-size 800", "--plot-size 50x50",
                             "--sweep take-up-speed=1:2:1 --summary-plot s", "--plot sub/.SVG"}) {
        const Outcome o = RunCli(dir, args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << args;
    }
    EXPECT_EQ(RunCli(dir, "--plot .png").err, "Plot file name has no name before its .png: .png\n");
}

// Each output goes where its name leads: a name as long as the system
// takes, a dangling link's file (the link kept), and in place what is no
// regular file, a pipe, a FIFO or a terminal, or a file stdout is
// redirected to, where the summary line comes after the report.
TEST(Cli, OutputsGoWhereTheirNamesLead) {
    TempDir dir;
    ASSERT_EQ(RunCli(dir, "--output ref.txt --csv ref.csv").status, 0);
    const std::string report = ReadBytes(dir.File("ref.txt")), csv = ReadBytes(dir.File("ref.csv"));
    const std::string summary = "7 trials, spinneret tension 20.1741 dyn, velocity at the last "
                                "point 3496.5 m/min, report ";
    const std::string longName = std::string(246, 'n') + ".txt";
    std::ofstream(dir.File("out")) << "earlier";
    struct stat before {};
    stat(dir.File("out").c_str(), &before);
    const struct {
        std::string command, file, bytes;
    } cases[] = {
        {"% --output " + longName + " >/dev/null; echo $? >.status", longName, report},
        {"ln -s sub/x.txt link.txt; mkdir sub; % --output link.txt >/dev/null; echo $? >.status",
         "sub/x.txt", report},
        {"{ % --output /dev/stdout; echo $? >.status; } | cat >pipe", "pipe",
         report + summary + "/dev/stdout\n"},
        {"{ % --csv /dev/stdout; echo $? >.status; } | cat >pipe", "pipe",
         csv + summary + dir.File("result.txt") + "\n"},
        {"% --output /dev/stdout >out; echo $? >.status", "out",
         report + summary + "/dev/stdout\n"},
        {"mkfifo fifo; cat fifo >got & % --output fifo >/dev/null; echo $? >.status; wait", "got",
         report},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shell(dir, c.command), 0) << c.command;
        EXPECT_TRUE(ReadBytes(dir.File(c.file)) == c.bytes) << c.command; // too long to show
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
    struct stat after {};
    stat(dir.File("out").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino); // written in, never renamed over
    if (std::system("script -qec true /dev/null >/dev/null 2>&1") == 0) { // a terminal to hand
        EXPECT_EQ(Shell(dir, "script -qec \"% --output /dev/tty\" /dev/null >tty; echo $? "
                             ">.status"),
                  0);
        const std::string tty = ReadBytes(dir.File("tty"));
        EXPECT_NE(tty.find("[RESULTS]"), std::string::npos);
        EXPECT_NE(tty.find(summary + "/dev/tty"), std::string::npos) << tty;
    }
}

// A disk that fills up in the middle of a study keeps the earlier summary
// as it was, and leaves whole rows only in the partial one: a torn row would
// read as a run with outputs missing.
TEST(Cli, AFullDiskLeavesOnlyWholeSummaryRows) {
    TempDir dir;
    const SmallDisk disk(dir);
    const std::string limit = "trap '' XFSZ; ulimit -f 8;"; // 4 KiB in sh's blocks
    const struct {
        std::string args, before;
    } cases[] = {
        {"--sweep take-up-speed=1000:5000:1 --summary s.csv", limit},
        {"--sweep take-up-speed=1000:5000:100 --sweep zone2-air-velocity=0:300:10 "
         "--summary s.csv",
         limit},
        {"--sensitivity --summary s.csv", "trap '' XFSZ; ulimit -f 2;"},
        {"--sweep take-up-speed=1000:5000:1 --summary disk/s.csv", ""},
    };
    for (const auto& c : cases) {
        const bool onDisk = c.args.find("disk/") != std::string::npos;
        if (onDisk && !disk.Mounted()) {
            std::cout << "Not run on a small disk: only root may mount one\n";
            continue;
        }
        const std::string summary = dir.File(onDisk ? "disk/s.csv" : "s.csv");
        std::ofstream(summary) << "an earlier summary\n";
        const Outcome o = RunCli(dir, c.args + " --jobs 2", c.before);
        EXPECT_EQ(o.status, 1) << c.args;
        EXPECT_EQ(ReadBytes(summary), "an earlier summary\n") << c.args;
        std::istringstream rows(ReadBytes(summary + ".partial"));
        std::string header, row;
        ASSERT_TRUE(std::getline(rows, header)) << c.args;
        const auto fields = std::count(header.begin(), header.end(), ',');
        int count = 0;
        for (; std::getline(rows, row); ++count)
            EXPECT_EQ(std::count(row.begin(), row.end(), ','), fields) << c.args << ": " << row;
        EXPECT_TRUE(rows.eof());
        EXPECT_EQ(ReadBytes(summary + ".partial").back(), '\n') << c.args;
        EXPECT_GT(count, 0) << c.args;
    }
}

// The files of a run are published all or none: one that cannot be made
// stops the run before it starts, and one that cannot be written keeps
// every other as it was; neither leaves a file behind.
TEST(Cli, AFileThatFailsKeepsEveryOutputAsItWas) {
    TempDir dir;
    const SmallDisk disk(dir);
    disk.Fill();
    const bool plots =
#ifdef PPSPIN_WITH_PLOTS
        true;
#else
        false;
#endif
    const struct {
        const char *args, *before, *message;
        bool needsPlots = false, needsDisk = false;
    } cases[] = {
        {"--csv nodir/p.csv", "", "File can not open!\n"},
        {"--plot nodir/p.png", "", "File can not open!\n", true},
        // 10 KiB: the report fits, the profile's CSV does not.
        {"--csv p.csv", "trap '' XFSZ; ulimit -f 20;",
         "Can not write to file p.csv: File too large\n"},
        // The picture's encoder gives back all it took (the sanitizer build
        // sees a leak as an error).
        {"--plot disk/p.png", "", "Image can not be written: disk/p.png\n", true, true},
    };
    for (const auto& c : cases) {
        if ((c.needsPlots && !plots) || (c.needsDisk && !disk.Mounted())) {
            std::cout << "Not run: " << c.args << " needs " << (plots ? "root" : "Qt Charts")
                      << "\n";
            continue;
        }
        std::ofstream(dir.File("k.txt")) << "OLD\n";
        const Outcome o = RunCli(dir, std::string("--output k.txt ") + c.args, c.before);
        EXPECT_EQ(o.status, 1) << c.args;
        EXPECT_EQ(o.err, c.message) << c.args;
        EXPECT_EQ(ReadBytes(dir.File("k.txt")), "OLD\n") << c.args;
        EXPECT_EQ(Entries(dir), 2u) << c.args; // k.txt and disk/
        if (disk.Mounted()) {
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("disk")), {}), 1)
                << c.args; // the filler alone
        }
    }
}

} // namespace
} // namespace ppspin
