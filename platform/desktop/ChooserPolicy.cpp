#include "platform/desktop/ChooserPolicy.h"

#include "platform/desktop/PortalChooser.h"
#include "platform/desktop/ToolChooser.h"

namespace platform::desktop {

ChooserPolicy::ChooserPolicy(ChooserEnvironment environment)
    : environment_(std::move(environment))
{
    const std::string& choice = environment_.choice;
    const bool zenity = !environment_.Find("zenity").empty();
    const bool kdialog = !environment_.Find("kdialog").empty();
    const bool any = choice.empty() || choice == "auto";
    if (choice == "portal" || (any && !environment_.sessionBus.empty()))
        order_.push_back(ChooserKind::Portal);
    if (any) {
        const bool kdeFirst = kdialog && environment_.IsKde();
        if (kdeFirst)
            order_.push_back(ChooserKind::Kdialog);
        if (zenity)
            order_.push_back(ChooserKind::Zenity);
        if (kdialog && !kdeFirst)
            order_.push_back(ChooserKind::Kdialog);
    } else if (choice == "zenity" && zenity) {
        order_.push_back(ChooserKind::Zenity);
    } else if (choice == "kdialog" && kdialog) {
        order_.push_back(ChooserKind::Kdialog);
    }
    order_.push_back(ChooserKind::Builtin);
}

std::unique_ptr<FileChooser> ChooserPolicy::Make(ChooserKind kind) const
{
    switch (kind) {
    case ChooserKind::Portal:
        return std::make_unique<PortalChooser>(environment_.sessionBus);
    case ChooserKind::Zenity:
        return std::make_unique<ToolChooser>(ToolChooser::Tool::Zenity, environment_.Find("zenity"));
    case ChooserKind::Kdialog:
        return std::make_unique<ToolChooser>(ToolChooser::Tool::Kdialog, environment_.Find("kdialog"));
    case ChooserKind::Builtin:
        break;
    }
    return nullptr;
}

} // namespace platform::desktop
