#include "tests/res/ResTestSupport.h"

#include "platform/headless/Driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace restest {

namespace {

// The program's dialogs, which the layout tests and the generator build to
// measure, need a screen: an in-memory one for the whole run.
class ScreenEnvironment final : public testing::Environment {
public:
    void SetUp() override { screen_ = std::make_unique<headless::Driver>(); }
    void TearDown() override { screen_.reset(); }

private:
    // Installs its in-memory screen for as long as it lives.
    std::unique_ptr<headless::Driver> screen_;
};

[[maybe_unused]] testing::Environment* const kScreen = testing::AddGlobalTestEnvironment(new ScreenEnvironment);

} // namespace

res::Name NameOf(const std::string& text)
{
    if (text.find_first_not_of("0123456789") == std::string::npos)
        return res::Name { static_cast<UINT>(std::stoul(text)), {} };
    return res::Name::From(text.c_str());
}

const res::Bitmap& Picture(const std::string& name)
{
    const res::Bitmap* b = res::FindBitmap(NameOf(name));
    if (!b)
        throw std::runtime_error("no bitmap " + name);
    return *b;
}

} // namespace restest
