#include "skinui/layout_builder.h"

#include <pugixml.hpp>

#include "app/debug_log.h"
#include "skinui/attribute_values.h"
#include "skinui/button.h"
#include "skinui/check_box.h"
#include "skinui/combo.h"
#include "skinui/edit.h"
#include "skinui/horizontal_layout.h"
#include "skinui/label.h"
#include "skinui/paint_manager.h"
#include "skinui/progress.h"
#include "skinui/tab_layout.h"
#include "skinui/vertical_layout.h"

namespace skinui {

namespace {

std::unique_ptr<Control> BuildControl(const pugi::xml_node& node, const ControlFactory& factory) {
    const std::string_view className = node.name();
    std::unique_ptr<Control> control = CreateBuiltinControl(className);
    if (!control && factory) control = factory(className);
    if (!control) {
        DEBUG_LOG("unknown control class %s left out", node.name());
        return nullptr;
    }
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        control->SetAttribute(attribute.name(), attribute.value());
    }
    auto* container = dynamic_cast<Container*>(control.get());
    auto* combo = dynamic_cast<Combo*>(control.get());
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        if (combo) {
            combo->AddItem(child.attribute("text").value());
        } else if (container) {
            if (auto built = BuildControl(child, factory)) container->Add(std::move(built));
        }
    }
    return control;
}

void AddFont(const pugi::xml_node& node, PaintManager& manager) {
    FontSpec font;
    if (const char* name = node.attribute("name").value(); *name) font.family = name;
    font.size = ParseInt(node.attribute("size").value()).value_or(12);
    font.bold = ParseBool(node.attribute("bold").value());
    font.underline = ParseBool(node.attribute("underline").value());
    font.italic = ParseBool(node.attribute("italic").value());
    const int id = ParseInt(node.attribute("id").value()).value_or(-1);
    manager.Fonts().Add(id, font, ParseBool(node.attribute("default").value()));
}

}  // namespace

std::unique_ptr<Control> CreateBuiltinControl(std::string_view className) {
    if (className == "Control") return std::make_unique<Control>();
    if (className == "VerticalLayout") return std::make_unique<VerticalLayout>();
    if (className == "HorizontalLayout") return std::make_unique<HorizontalLayout>();
    if (className == "TabLayout") return std::make_unique<TabLayout>();
    if (className == "Label" || className == "Text") return std::make_unique<Label>();
    if (className == "Button") return std::make_unique<Button>();
    if (className == "CheckBox" || className == "Option") return std::make_unique<CheckBox>();
    if (className == "Edit") return std::make_unique<Edit>();
    if (className == "Progress") return std::make_unique<Progress>();
    if (className == "Combo") return std::make_unique<Combo>();
    return nullptr;
}

std::unique_ptr<Control> BuildLayout(std::string_view xml, PaintManager& manager,
                                     const ControlFactory& factory) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        DEBUG_LOG("layout not readable: %s at %d", parsed.description(),
                  static_cast<int>(parsed.offset));
        return nullptr;
    }
    const pugi::xml_node window = document.child("Window");
    if (!window) return nullptr;
    for (const pugi::xml_attribute& attribute : window.attributes()) {
        manager.SetWindowAttribute(attribute.name(), attribute.value());
    }
    std::unique_ptr<Control> root;
    for (const pugi::xml_node& child : window.children()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view name = child.name();
        if (name == "Font") {
            AddFont(child, manager);
        } else if (name == "Image" || name == "Default") {
            // Preloads and class defaults; these layouts do not need them.
        } else if (!root) {
            root = BuildControl(child, factory);
        }
    }
    return root;
}

}  // namespace skinui
