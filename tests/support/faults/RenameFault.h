#pragma once

// Failing renames on purpose. A test program linked with this file and
// -Wl,--wrap=rename sends every rename of the code under test through a
// wrapper; while a RenameFault lives, the next rename fails with its error,
// once, as a full disk or a vanished folder would make it fail at the last
// step of a save.

namespace test {

class RenameFault {
public:
    explicit RenameFault(int error);
    ~RenameFault();
    RenameFault(const RenameFault&) = delete;
    RenameFault& operator=(const RenameFault&) = delete;

    // Whether a rename has failed because of this fault.
    bool Hit() const;
};

} // namespace test
