#include "ui/skin_frame.h"

#include <charconv>

#include "skinui/attribute_values.h"
#include "skinui/key_codes.h"

SkinDescriptor SkinDescriptor::ForSkinFile(const std::string& skinFile) {
    SkinDescriptor descriptor;
    descriptor.skinFile = skinFile;
    const size_t dot = skinFile.rfind('.');
    descriptor.windowClassName = dot == std::string::npos ? skinFile : skinFile.substr(0, dot);
    return descriptor;
}

CSkinFrame::CSkinFrame(SkinDescriptor descriptor) : descriptor_(std::move(descriptor)) {}

skinui::ResourceKind CSkinFrame::GetResourceType() const {
    return static_cast<skinui::ResourceKind>(descriptor_.resourceKind);
}

void CSkinFrame::InitWindow() {
    // The window has no system caption or maximise box: hosts make it undecorated.
    skinui::PaintManager& manager = GetPaintManager();
    if (!skinui::ParseBool(manager.GetWindowAttribute("showshadow"))) return;
    shadow_.Create(this);
    shadowOn_ = true;
    ConfigureShadow();
}

void CSkinFrame::ConfigureShadow() {
    skinui::PaintManager& manager = GetPaintManager();
    const std::string image = manager.GetWindowAttribute("shadowimage");
    if (!image.empty()) {
        shadow_.SetImage(image, skinui::ParseRect(manager.GetWindowAttribute("shadowcorner")),
                         skinui::ParseRect(manager.GetWindowAttribute("shadowholeoffset")));
    }
    if (const auto size = skinui::ParseInt(manager.GetWindowAttribute("shadowsize"))) {
        shadow_.SetSize(*size);
    }
    if (const auto sharpness = skinui::ParseInt(manager.GetWindowAttribute("shadowsharpness"))) {
        shadow_.SetSharpness(sharpness.value());
    }
    if (const auto darkness = skinui::ParseInt(manager.GetWindowAttribute("shadowdarkness"))) {
        shadow_.SetDarkness(*darkness);
    }
    if (manager.HasWindowAttribute("shadowposition")) {
        const skinui::Point position =
            skinui::ParsePoint(manager.GetWindowAttribute("shadowposition"));
        shadow_.SetPosition(position.x, position.y);
    }
    // The colour reads as a hexadecimal number: "#26003B76" is red 0x76,
    // green 0x3B, blue 0x00; the top byte is not used.
    std::string color = manager.GetWindowAttribute("shadowcolor");
    if (!color.empty()) {
        if (color.front() == '#') color.erase(0, 1);
        uint32_t value = 0;
        const auto result = std::from_chars(color.data(), color.data() + color.size(), value, 16);
        if (result.ec == std::errc()) shadow_.SetColor(value);
    }
}

bool CSkinFrame::MessageFilter(const skinui::WindowMessage& message) {
    if (message.type == skinui::Message::kKeyDown && message.wParam == skinui::kKeyEscape) {
        return true;
    }
    return WindowBase::MessageFilter(message);
}
