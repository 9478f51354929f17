#pragma once

// What a file chooser of the desktop is asked when a file is to be saved,
// and what it answers. Texts and paths are UTF-8.

#include <string>
#include <vector>

namespace platform::desktop {

// One entry of the chooser's type list: "BMP图像 (*.bmp)" with its glob
// patterns ("*.bmp").
struct ChooserFilter {
    std::string name;
    std::vector<std::string> patterns;
};

struct SaveRequest {
    std::string title;
    // The X window the chooser should stand over (0: none known).
    unsigned long parentWindow = 0;
    std::string currentName; // the name proposed; may be empty
    std::string currentFolder; // an absolute folder to start in; empty lets the chooser pick
    std::vector<ChooserFilter> filters;
    int currentFilter = 0; // index into filters
};

struct SaveAnswer {
    enum class Outcome {
        Chosen, // path holds the absolute path chosen
        Cancelled, // the user closed the chooser without a name
        Unavailable, // this chooser could not ask; why says what went wrong
    };
    Outcome outcome = Outcome::Unavailable;
    std::string path;
    std::string why;

    static SaveAnswer Chosen(std::string path) { return SaveAnswer { Outcome::Chosen, std::move(path), {} }; }
    static SaveAnswer Cancelled() { return SaveAnswer { Outcome::Cancelled, {}, {} }; }
    static SaveAnswer Unavailable(std::string why) { return SaveAnswer { Outcome::Unavailable, {}, std::move(why) }; }
};

} // namespace platform::desktop
