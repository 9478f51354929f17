// The registry of the program's resources. Resources are registered once at
// start-up and read for the rest of the program's life, so every entry is
// kept behind its own allocation: a pointer handed out by a Find function
// stays valid and unchanged for ever, even if a later Add replaces the entry
// under the same name (the replaced entry is retired, not freed). The
// window system relies on that: it caches the cursors it made by the address
// of their resource.

#include "platform/window/Resources.h"

#include <cassert>
#include <cctype>
#include <charconv>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace res {

namespace {

// One kind of resource, by name. A lock guards the maps because a camera
// thread may read a resource while the interface thread reads another.
template <typename Key, typename T>
class Table {
public:
    void Add(Key key, T value)
    {
        std::lock_guard lock(mutex_);
        auto entry = std::make_unique<const T>(std::move(value));
        auto [it, inserted] = entries_.try_emplace(std::move(key));
        if (!inserted)
            retired_.push_back(std::move(it->second));
        it->second = std::move(entry);
    }

    const T* Find(const Key& key) const
    {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(key);
        return it == entries_.end() ? nullptr : it->second.get();
    }

private:
    mutable std::mutex mutex_;
    std::map<Key, std::unique_ptr<const T>> entries_;
    std::vector<std::unique_ptr<const T>> retired_;
};

// The tables live in functions so that resources registered by another
// file's static initialisation find them constructed.
Table<Name, Bitmap>& Bitmaps()
{
    static Table<Name, Bitmap> t;
    return t;
}
Table<Name, Pointer>& Cursors()
{
    static Table<Name, Pointer> t;
    return t;
}
Table<Name, Pointer>& Icons()
{
    static Table<Name, Pointer> t;
    return t;
}
Table<Name, DialogTemplate>& Dialogs()
{
    static Table<Name, DialogTemplate> t;
    return t;
}
Table<UINT, std::string>& Strings()
{
    static Table<UINT, std::string> t;
    return t;
}

// "#123" names resource 123; anything else after the sign is a name.
bool ParseOrdinal(const std::string& text, UINT& id)
{
    if (text.size() < 2 || text[0] != '#')
        return false;
    const char* first = text.data() + 1;
    const char* last = text.data() + text.size();
    unsigned value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc {} || end != last || value == 0 || value > 0xFFFF)
        return false;
    id = value;
    return true;
}

// The loaders read width * height pixels without checking again.
[[maybe_unused]] bool HoldsPicture(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    return width > 0 && height > 0
        && pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

} // namespace

Name Name::From(const char* lpName)
{
    Name name;
    if (!lpName)
        return name;
    if (IS_INTRESOURCE(lpName)) {
        name.id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpName));
        return name;
    }
    std::string text = lpName;
    if (ParseOrdinal(text, name.id))
        return name;
    // Names are compared without regard to case, as the resource compiler
    // stores them in capitals.
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    name.text = std::move(text);
    return name;
}

void AddBitmap(Name name, Bitmap bitmap)
{
    assert(HoldsPicture(bitmap.width, bitmap.height, bitmap.pixels));
    Bitmaps().Add(std::move(name), std::move(bitmap));
}

void AddCursor(Name name, Pointer cursor)
{
    assert(HoldsPicture(cursor.width, cursor.height, cursor.argb));
    Cursors().Add(std::move(name), std::move(cursor));
}

void AddIcon(Name name, Pointer icon)
{
    assert(HoldsPicture(icon.width, icon.height, icon.argb));
    Icons().Add(std::move(name), std::move(icon));
}

void AddDialog(Name name, DialogTemplate dialog) { Dialogs().Add(std::move(name), std::move(dialog)); }

void AddString(UINT id, std::string text) { Strings().Add(id, std::move(text)); }

const Bitmap* FindBitmap(const Name& name) { return Bitmaps().Find(name); }
const Pointer* FindCursor(const Name& name) { return Cursors().Find(name); }
const Pointer* FindIcon(const Name& name) { return Icons().Find(name); }
const DialogTemplate* FindDialog(const Name& name) { return Dialogs().Find(name); }
const std::string* FindString(UINT id) { return Strings().Find(id); }

} // namespace res
