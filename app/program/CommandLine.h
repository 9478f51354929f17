#pragma once

// The program's command line: long options in the GNU manner (getopt_long),
// each with a short form. With no arguments the program simply runs.

#include <string>

struct CommandLine {
    enum class Action {
        Run, // start the program
        Help, // print the usage on standard output and exit 0
        Version, // print the version on standard output and exit 0
        ListCameras, // print what each camera offers and exit 0
        Misuse, // print error and the usage on standard error and exit 2
    };
    Action action = Action::Run;
    // The device node to open first, empty for the first one listed.
    std::string device;
    // The emulated camera to run on instead of the cameras attached
    // (--demo): empty for none; "page" for the ruled page with a moving
    // mark; "yuyv" or "mjpg" for the 1920x1080 camera of the whole-program
    // measurement, with one pen stroke drawn on its picture.
    std::string demo;
    // What was not understood, for Misuse.
    std::string error;
};

// Reads argv[1..argc-1]. The order of options does not matter: help wins
// over the version, the version over the camera list, and any misuse over
// them all.
CommandLine ParseCommandLine(int argc, char** argv);

// True when the locale the program's messages follow is a Chinese one: the
// first of LC_ALL, LC_MESSAGES and LANG that is set and not empty starts
// with "zh", as the C library chooses the messages' locale.
bool MessagesInChinese();

// The usage text, in Chinese or English, naming the program as called.
std::string UsageText(const char* program, bool chinese);

// "inkveil VERSION", one line.
std::string VersionText();

// Carries out a Help, Version or Misuse request: prints and answers the
// exit status. Answers -1 for Run and ListCameras, which are the caller's
// to carry out.
int AnswerCommandLine(const CommandLine& line, const char* program);
