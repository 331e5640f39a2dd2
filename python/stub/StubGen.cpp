// Writes the package's typing stub: the template at argv[1] with its input
// lines made from the input catalogue, to argv[2], replaced whole.
#include "InputCatalogue.h"
#include "RunOutputs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace ppspin;

std::string Lines(const char* type) {
    std::string lines;
    for (const TInputField& input : InputCatalogue()) {
        std::string name = input.Name;
        std::replace(name.begin(), name.end(), '-', '_');
        lines += "    " + name + ": " + type + " = ...,\n";
    }
    lines.pop_back();
    return lines;
}

std::string OutputLines() {
    std::string lines;
    for (const TOutputColumn& column : OutputColumns)
        lines += std::string("    ") + column.Name + ": float = ...,\n";
    lines.pop_back();
    return lines;
}

void ReplaceAll(std::string& text, const std::string& marker, const std::string& with) {
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + with.size()))
        text.replace(at, marker.size(), with);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: ppspin-stubgen TEMPLATE OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string text;
    if (in.is_open())
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        std::fprintf(stderr, "ppspin-stubgen: cannot read %s\n", argv[1]);
        return 1;
    }
    ReplaceAll(text, "@STUDY_INPUTS@", Lines("Value | Values"));
    ReplaceAll(text, "@INPUTS@", Lines("Value"));
    ReplaceAll(text, "@OUTPUTS@", OutputLines());
    const std::string temporary = std::string(argv[2]) + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    std::error_code error;
    if (out)
        std::filesystem::rename(temporary, argv[2], error);
    if (!out || error) {
        std::filesystem::remove(temporary, error);
        std::fprintf(stderr, "ppspin-stubgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
