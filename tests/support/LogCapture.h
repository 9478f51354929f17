#pragma once

// Sends the diagnostic log to a temporary file at a level for the life of
// a test, and reads back what was written. For test programs that link the
// log (platform/log).

#include "platform/log/Log.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

class LogCapture {
public:
    explicit LogCapture(logging::Level level)
        : file_(std::tmpfile())
    {
        logging::SetStream(file_);
        logging::SetLevel(level);
    }
    ~LogCapture()
    {
        logging::SetStream(nullptr);
        logging::ReadEnvironment();
        std::fclose(file_);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string Text()
    {
        std::fflush(file_);
        std::rewind(file_);
        std::string text;
        char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file_)) > 0)
            text.append(chunk, n);
        std::fseek(file_, 0, SEEK_END);
        return text;
    }
    // The lines written, without their line breaks; a last line without
    // one is returned too (and would be a fault).
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        const std::string text = Text();
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        if (start < text.size())
            lines.push_back(text.substr(start) + "<no line break>");
        return lines;
    }
    // The lines that contain the text.
    std::vector<std::string> Matching(const std::string& part)
    {
        std::vector<std::string> lines = Lines();
        std::erase_if(lines, [&](const std::string& l) { return l.find(part) == std::string::npos; });
        return lines;
    }

private:
    std::FILE* file_;
};
