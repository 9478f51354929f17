#include "platform/desktop/ToolChooser.h"

#include "platform/desktop/ChildProcess.h"
#include "platform/desktop/FileUri.h"

#include <cstdio>

namespace platform::desktop {

namespace {

// Where the chooser starts: the folder and the name, as one path; the
// folder alone ends with a '/', which both tools read as "open this".
std::string StartPath(const SaveRequest& request)
{
    if (request.currentFolder.empty())
        return request.currentName;
    std::string start = request.currentFolder;
    if (!start.ends_with('/'))
        start += '/';
    return start + request.currentName;
}

std::string Joined(const std::vector<std::string>& patterns, const char* separator)
{
    std::string text;
    for (const std::string& p : patterns)
        text += (text.empty() ? "" : separator) + p;
    return text;
}

std::vector<std::string> ZenityArguments(const SaveRequest& request)
{
    std::vector<std::string> args { "--file-selection", "--save", "--confirm-overwrite" };
    if (!request.title.empty())
        args.push_back("--title=" + request.title);
    if (const std::string start = StartPath(request); !start.empty())
        args.push_back("--filename=" + start);
    // zenity lists its filters in the order given and starts on the first,
    // so the current one goes first.
    const auto current = static_cast<std::size_t>(request.currentFilter);
    std::vector<const ChooserFilter*> order;
    if (request.currentFilter >= 0 && current < request.filters.size())
        order.push_back(&request.filters[current]);
    for (const ChooserFilter& f : request.filters)
        if (order.empty() || &f != order.front())
            order.push_back(&f);
    for (const ChooserFilter* f : order)
        args.push_back("--file-filter=" + f->name + " | " + Joined(f->patterns, " "));
    return args;
}

std::vector<std::string> KdialogArguments(const SaveRequest& request)
{
    std::vector<std::string> args;
    if (!request.title.empty())
        args.insert(args.end(), { "--title", request.title });
    if (request.parentWindow != 0) {
        char id[32];
        std::snprintf(id, sizeof id, "0x%lx", request.parentWindow);
        args.insert(args.end(), { "--attach", id });
    }
    // kdialog's start place is needed before its filter: "." is the
    // current folder.
    std::string start = StartPath(request);
    if (start.empty())
        start = ".";
    // Its filters are lines in the toolkit's own form, "description
    // (patterns)"; a description that already ends with its patterns in
    // brackets, as "BMP图像 (*.bmp)" does, stands as it is.
    std::string filter;
    for (const ChooserFilter& f : request.filters) {
        const bool named = f.name.ends_with(')') && f.name.find('(') != std::string::npos;
        filter += (filter.empty() ? "" : "\n") + (named ? f.name : f.name + " (" + Joined(f.patterns, " ") + ")");
    }
    args.insert(args.end(), { "--getsavefilename", start });
    if (!filter.empty())
        args.push_back(filter);
    return args;
}

} // namespace

ToolChooser::ToolChooser(Tool tool, std::string program)
    : tool_(tool)
    , program_(std::move(program))
{
}

const char* ToolChooser::Name() const { return tool_ == Tool::Zenity ? "zenity" : "kdialog"; }

std::vector<std::string> ToolChooser::Arguments(Tool tool, const SaveRequest& request)
{
    return tool == Tool::Zenity ? ZenityArguments(request) : KdialogArguments(request);
}

SaveAnswer ToolChooser::Interpret(int exitCode, const std::string& output)
{
    if (exitCode == 1)
        return SaveAnswer::Cancelled();
    if (exitCode != 0)
        return SaveAnswer::Unavailable("it exited with status " + std::to_string(exitCode));
    std::string path = output;
    if (path.ends_with('\n'))
        path.pop_back();
    if (path.starts_with("file:")) {
        std::optional<std::string> local = FileUri::ToPath(path);
        if (!local)
            return SaveAnswer::Unavailable("it chose no local file: " + path);
        path = *local;
    }
    // Only a whole path on one line is a choice; "" or a relative name
    // would be saved somewhere the user did not see.
    if (!path.starts_with('/') || path.find('\n') != std::string::npos)
        return SaveAnswer::Unavailable("it printed no path: \"" + output + "\"");
    return SaveAnswer::Chosen(path);
}

SaveAnswer ToolChooser::Save(const SaveRequest& request, const CancelSignal& cancel)
{
    const ChildProcess::Outcome run = ChildProcess::Run(program_, Arguments(tool_, request), cancel);
    if (!run.started)
        return SaveAnswer::Unavailable(run.why);
    if (run.cancelled)
        return SaveAnswer::Cancelled();
    SaveAnswer answer = Interpret(run.exitCode, run.output);
    if (answer.outcome == SaveAnswer::Outcome::Unavailable)
        answer.why = std::string(Name()) + ": " + answer.why;
    return answer;
}

} // namespace platform::desktop
