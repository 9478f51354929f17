#include "app/program/CommandLine.h"

#include <getopt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const option kOptions[] = {
    { "demo", optional_argument, nullptr, 'D' },
    { "device", required_argument, nullptr, 'd' },
    { "help", no_argument, nullptr, 'h' },
    { "list-cameras", no_argument, nullptr, 'L' },
    { "version", no_argument, nullptr, 'V' },
    { nullptr, 0, nullptr, 0 },
};

} // namespace

CommandLine ParseCommandLine(int argc, char** argv)
{
    CommandLine line;
    // getopt_long permutes the array it is given and reports through
    // globals: work on a copy, silence its own messages (ours name the
    // option the same way in both languages) and start it afresh, so that
    // the parse can run more than once in a process.
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    opterr = 0;
    optind = 0;
    bool help = false, version = false, list = false;
    int c;
    // The leading ':' makes a missing argument ':' rather than '?'.
    while ((c = getopt_long(argc, args.data(), ":d:hV", kOptions, nullptr)) != -1) {
        switch (c) {
        case 'd':
            if (optarg[0] == '\0') {
                line.error = "--device needs a device path";
                line.action = CommandLine::Action::Misuse;
                return line;
            }
            line.device = optarg;
            break;
        case 'D': {
            // Only with '=': "--demo yuyv" leaves yuyv a stray argument.
            const std::string kind = optarg ? optarg : "page";
            if (kind != "page" && kind != "yuyv" && kind != "mjpg") {
                line.error = "--demo takes no value, or yuyv or mjpg: " + kind;
                line.action = CommandLine::Action::Misuse;
                return line;
            }
            line.demo = kind;
            break;
        }
        case 'h':
            help = true;
            break;
        case 'V':
            version = true;
            break;
        case 'L':
            list = true;
            break;
        case ':':
            line.error = std::string("option needs an argument: ") + args[optind - 1];
            line.action = CommandLine::Action::Misuse;
            return line;
        default:
            // A long option is named by the argument just passed over
            // (an unknown one leaves optopt 0); a short one by optopt, as
            // it may stand inside a cluster such as -Vx.
            line.error = std::string("option not understood: ")
                + (optopt && std::strncmp(args[optind - 1], "--", 2) != 0 ? std::string("-") + static_cast<char>(optopt)
                                                                          : std::string(args[optind - 1]));
            line.action = CommandLine::Action::Misuse;
            return line;
        }
    }
    if (optind < argc) {
        line.error = std::string("unexpected argument: ") + args[optind];
        line.action = CommandLine::Action::Misuse;
        return line;
    }
    if (help)
        line.action = CommandLine::Action::Help;
    else if (version)
        line.action = CommandLine::Action::Version;
    else if (list)
        line.action = CommandLine::Action::ListCameras;
    return line;
}

bool MessagesInChinese()
{
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "zh", 2) == 0;
    }
    return false;
}

std::string UsageText(const char* program, bool chinese)
{
    const std::string name = program;
    if (chinese)
        return "用法：" + name
            + " [选项]\n"
              "显示实物展台的实时画面，并可在画面上书写。\n"
              "\n"
              "  -d, --device=路径   先打开该视频设备（如 /dev/video2），而不是列表中的第一个\n"
              "      --demo          使用模拟摄像头（一页横格纸和移动的标记），无需连接摄像头\n"
              "      --list-cameras  列出各摄像头支持的格式和本程序将采用的设置，然后退出\n"
              "  -h, --help          显示本帮助并退出\n"
              "  -V, --version       显示版本信息并退出\n"
              "\n"
              "不带选项时打开第一个视频采集设备。本程序已在同一显示器上运行时，\n"
              "再次启动只会把已运行的窗口调到前面。\n";
    return "Usage: " + name
        + " [OPTION]\n"
          "Show a document camera's live picture and draw over it.\n"
          "\n"
          "  -d, --device=PATH   open this video device (e.g. /dev/video2) first,\n"
          "                      instead of the first one listed\n"
          "      --demo          run on an emulated camera (a ruled page with a moving\n"
          "                      mark), without a camera attached\n"
          "      --list-cameras  list what each camera offers and what the program\n"
          "                      would take from it, then exit\n"
          "  -h, --help          show this help and exit\n"
          "  -V, --version       show the version and exit\n"
          "\n"
          "With no options the first video capture device is opened. Started again on\n"
          "a display where it already runs, it brings the running one forward instead.\n";
}

std::string VersionText() { return std::string("inkveil ") + INKVEIL_VERSION + "\n"; }

int AnswerCommandLine(const CommandLine& line, const char* program)
{
    switch (line.action) {
    case CommandLine::Action::Run:
    case CommandLine::Action::ListCameras:
        return -1;
    case CommandLine::Action::Help:
        std::fputs(UsageText(program, MessagesInChinese()).c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Misuse:
        std::fprintf(stderr, "%s: %s\n", program, line.error.c_str());
        std::fputs(UsageText(program, MessagesInChinese()).c_str(), stderr);
        return 2;
    }
    return 2;
}
