#include "tests/res/ResTestSupport.h"

#include <stdexcept>

namespace restest {

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
