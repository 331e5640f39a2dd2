#include "Arguments.h"

namespace ppspin::cli {

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

bool NormaliseArguments(const std::vector<std::string>& args,
                        const std::set<std::string>& valueOptions,
                        std::vector<std::string>& normalised, std::string& message) {
    normalised.clear();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") { // the rest is not options
            normalised.insert(normalised.end(), args.begin() + static_cast<long>(i), args.end());
            break;
        }
        if (!StartsWith(arg, "--")) {
            normalised.push_back(arg);
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? arg.npos : equals - 2);
        if (valueOptions.count(name) == 0) {
            normalised.push_back(arg);
            continue;
        }
        if (equals != std::string::npos) {
            // Split, so that an empty value stays a value.
            normalised.push_back("--" + name);
            normalised.push_back(arg.substr(equals + 1));
            continue;
        }
        if (i + 1 >= args.size() || StartsWith(args[i + 1], "--")) {
            message = "--" + name + ": a value is missing (write --" + name + "= for an empty one)";
            return false;
        }
        normalised.push_back(arg);
        normalised.push_back(args[++i]);
    }
    return true;
}

} // namespace ppspin::cli
