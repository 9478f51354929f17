// inkveil-play SCRIPT [--out DIR]: plays a scenario script against the
// program on the headless screen. Exit status 0 when every expectation
// held, 1 at the first that failed, 2 when the script has an error (then
// nothing ran); the reason goes to the standard error stream as
// SCRIPT:LINE: ...

#include "app/InkveilApp.h"
#include "tools/play/Player.h"
#include "tools/play/Script.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

CInkveilApp theApp;

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: inkveil-play SCRIPT [--out DIR]\n");
    return 2;
}

void Say(const std::string& script, int line, const std::string& text)
{
    if (line > 0)
        std::fprintf(stderr, "%s:%d: %s\n", script.c_str(), line, text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", script.c_str(), text.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    std::string scriptPath;
    std::filesystem::path out = ".";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc)
            out = argv[++i];
        else if (scriptPath.empty() && !arg.empty() && arg[0] != '-')
            scriptPath = arg;
        else
            return Usage();
    }
    if (scriptPath.empty())
        return Usage();

    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) {
        Say(scriptPath, 0, "can't be read");
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    play::Script script;
    play::ScriptError error;
    if (!play::ReadScript(text.str(), script, error)) {
        Say(scriptPath, error.line, error.message);
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (!std::filesystem::is_directory(out, ec)) {
        Say(scriptPath, 0, "the output folder " + out.string() + " can't be made");
        return 2;
    }

    play::PlayOptions options;
    options.outDir = std::filesystem::absolute(out, ec);
    options.scriptDir = std::filesystem::absolute(std::filesystem::path(scriptPath).parent_path(), ec);
    play::Player player(script, options);
    const int code = player.Run();
    if (code != 0)
        Say(scriptPath, player.FailureLine(), player.Failure());
    return code;
}
