#include "tests/platform/desktop/FakeTool.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace desktoptest {

namespace {

// The text as one single-quoted shell word.
std::string Quoted(const std::string& text)
{
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

FakeTool::FakeTool(const std::string& name, const std::string& output, int exitCode, int sleepSeconds)
    : name_(name)
{
    Write(output, exitCode, sleepSeconds);
}

std::string FakeTool::Program() const { return folder_.File(name_); }

void FakeTool::Answer(const std::string& output, int exitCode) { Write(output, exitCode, 0); }

void FakeTool::Write(const std::string& output, int exitCode, int sleepSeconds)
{
    const std::string runs = folder_.File("runs");
    std::ofstream script(Program());
    script << "#!/bin/sh\n"
           << "for a in \"$@\"; do printf '%s\\n' \"$a\" >> " << Quoted(runs) << "; done\n"
           << "printf '%s\\n' '--end--' >> " << Quoted(runs) << "\n";
    if (sleepSeconds > 0)
        script << "sleep " << sleepSeconds << "\n";
    script << "printf '%s' " << Quoted(output) << "\n"
           << "exit " << exitCode << "\n";
    script.close();
    chmod(Program().c_str(), 0755);
}

std::vector<std::vector<std::string>> FakeTool::Runs() const
{
    std::vector<std::vector<std::string>> runs;
    std::ifstream in(folder_.File("runs"));
    std::vector<std::string> current;
    for (std::string line; std::getline(in, line);) {
        if (line == "--end--") {
            runs.push_back(current);
            current.clear();
        } else {
            current.push_back(line);
        }
    }
    return runs;
}

} // namespace desktoptest
