#pragma once
// Published properties as data: each element class lists its stored properties, in the order the
// layout files write them, as a small table of descriptors (stream name, type, default, getter,
// setter). The filer walks these tables to write and read any element; nothing else about an
// element kind lives in the base class.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "layout/LayoutTypes.h"

namespace corvane {

class TGGraphicControl;

enum class PropertyType {
    Integer, // int32
    Cursor,  // int16; written by name when it has one
    Boolean,
    Enumeration, // ordinal; written by name
    Color,       // written by name when it has one
    Set,         // bits by ordinal; written as member names
    String,      // UTF-8 in the model, Windows-1252 in files
    StringList,  // "Items.Strings"
    Picture      // "Picture.Data"
};

// Integer, cursor, enumeration (ordinal), colour and set (bits) values are int32_t.
using PropertyValue = std::variant<int32_t, bool, std::string, std::vector<std::string>, TGPicture>;

struct PropertyDescriptor {
    std::string Name; // as the files name it; sub-properties dotted ("Font.Color")
    PropertyType Type = PropertyType::Integer;
    std::span<const std::string_view> ValueNames; // enumeration values or set members, by ordinal
    // Written only when the value differs. Without a default ("none") a scalar is always written;
    // strings, string lists and pictures are written whenever they are not empty.
    std::optional<PropertyValue> Default;
    std::function<PropertyValue(const TGGraphicControl&)> Get;
    std::function<void(TGGraphicControl&, const PropertyValue&)> Set;

    // Whether the writer writes this property for `element`.
    bool IsStored(const TGGraphicControl& element) const;
};

// One class's descriptors, ancestors' first.
class PropertyTable {
  public:
    PropertyTable() = default;
    explicit PropertyTable(std::vector<PropertyDescriptor> properties) : FProperties(std::move(properties)) {}
    // The base's table followed by `own`.
    PropertyTable(const PropertyTable& base, std::vector<PropertyDescriptor> own);

    const std::vector<PropertyDescriptor>& Properties() const { return FProperties; }
    const PropertyDescriptor* Find(std::string_view name) const;

  private:
    std::vector<PropertyDescriptor> FProperties;
};

// Descriptor builders over a class's getter and setter.
template <class C>
PropertyDescriptor IntegerProperty(std::string name, std::optional<int32_t> defaultValue,
                                   int32_t (C::*get)() const, void (C::*set)(int32_t))
{
    PropertyDescriptor d;
    d.Name = std::move(name);
    d.Type = PropertyType::Integer;
    if (defaultValue)
        d.Default = PropertyValue(*defaultValue);
    d.Get = [get](const TGGraphicControl& e) { return PropertyValue((static_cast<const C&>(e).*get)()); };
    d.Set = [set](TGGraphicControl& e, const PropertyValue& v) {
        (static_cast<C&>(e).*set)(std::get<int32_t>(v));
    };
    return d;
}

template <class C>
PropertyDescriptor ColorProperty(std::string name, std::optional<TColor> defaultValue,
                                 TColor (C::*get)() const, void (C::*set)(TColor))
{
    PropertyDescriptor d = IntegerProperty<C>(std::move(name), defaultValue, get, set);
    d.Type = PropertyType::Color;
    return d;
}

template <class C>
PropertyDescriptor BooleanProperty(std::string name, std::optional<bool> defaultValue, bool (C::*get)() const,
                                   void (C::*set)(bool))
{
    PropertyDescriptor d;
    d.Name = std::move(name);
    d.Type = PropertyType::Boolean;
    if (defaultValue)
        d.Default = PropertyValue(*defaultValue);
    d.Get = [get](const TGGraphicControl& e) { return PropertyValue((static_cast<const C&>(e).*get)()); };
    d.Set = [set](TGGraphicControl& e, const PropertyValue& v) {
        (static_cast<C&>(e).*set)(std::get<bool>(v));
    };
    return d;
}

template <class C, class E>
PropertyDescriptor EnumProperty(std::string name, std::optional<E> defaultValue, E (C::*get)() const,
                                void (C::*set)(E))
{
    PropertyDescriptor d;
    d.Name = std::move(name);
    d.Type = PropertyType::Enumeration;
    d.ValueNames = EnumNames<E>();
    if (defaultValue)
        d.Default = PropertyValue(static_cast<int32_t>(*defaultValue));
    d.Get = [get](const TGGraphicControl& e) {
        return PropertyValue(static_cast<int32_t>((static_cast<const C&>(e).*get)()));
    };
    d.Set = [set](TGGraphicControl& e, const PropertyValue& v) {
        (static_cast<C&>(e).*set)(static_cast<E>(std::get<int32_t>(v)));
    };
    return d;
}

template <class C>
PropertyDescriptor StringProperty(std::string name, const std::string& (C::*get)() const,
                                  void (C::*set)(const std::string&))
{
    PropertyDescriptor d;
    d.Name = std::move(name);
    d.Type = PropertyType::String;
    d.Get = [get](const TGGraphicControl& e) { return PropertyValue((static_cast<const C&>(e).*get)()); };
    d.Set = [set](TGGraphicControl& e, const PropertyValue& v) {
        (static_cast<C&>(e).*set)(std::get<std::string>(v));
    };
    return d;
}

// "Items.Strings": the lines of a string list.
template <class C>
PropertyDescriptor StringListProperty(std::string name, const std::vector<std::string>& (C::*get)() const,
                                      void (C::*set)(const std::vector<std::string>&))
{
    PropertyDescriptor d;
    d.Name = std::move(name);
    d.Type = PropertyType::StringList;
    d.Get = [get](const TGGraphicControl& e) { return PropertyValue((static_cast<const C&>(e).*get)()); };
    d.Set = [set](TGGraphicControl& e, const PropertyValue& v) {
        (static_cast<C&>(e).*set)(std::get<std::vector<std::string>>(v));
    };
    return d;
}

// "Picture.Data": the graphic of a picture.
template <class C>
PropertyDescriptor PictureProperty(std::string name, const TGPicture& (C::*get)() const,
                                   void (C::*set)(const TGPicture&))
{
    PropertyDescriptor d;
    d.Name = std::move(name);
    d.Type = PropertyType::Picture;
    d.Get = [get](const TGGraphicControl& e) { return PropertyValue((static_cast<const C&>(e).*get)()); };
    d.Set = [set](TGGraphicControl& e, const PropertyValue& v) {
        (static_cast<C&>(e).*set)(std::get<TGPicture>(v));
    };
    return d;
}

// Builds the entry of one field of an object property (font, pen, brush): the getter reads the
// whole object, the setter changes one field of a copy and sets the whole object.
template <class C, class O, class F>
PropertyDescriptor SubProperty(std::string name, PropertyType type, std::optional<PropertyValue> defaultValue,
                               const O& (C::*get)() const, void (C::*set)(const O&), F O::*field)
{
    PropertyDescriptor d;
    d.Name = std::move(name);
    d.Type = type;
    d.Default = std::move(defaultValue);
    d.Get = [get, field](const TGGraphicControl& e) {
        const F& value = (static_cast<const C&>(e).*get)().*field;
        if constexpr (std::is_enum_v<F>)
            return PropertyValue(static_cast<int32_t>(value));
        else if constexpr (std::is_same_v<F, uint32_t>)
            return PropertyValue(static_cast<int32_t>(value));
        else
            return PropertyValue(value);
    };
    d.Set = [get, set, field](TGGraphicControl& e, const PropertyValue& v) {
        O object = (static_cast<const C&>(e).*get)();
        if constexpr (std::is_enum_v<F>)
            object.*field = static_cast<F>(std::get<int32_t>(v));
        else if constexpr (std::is_same_v<F, uint32_t>)
            object.*field = static_cast<F>(std::get<int32_t>(v));
        else
            object.*field = std::get<F>(v);
        (static_cast<C&>(e).*set)(object);
    };
    return d;
}

// The five "Font." entries of a font property (Color, Height, Name, Pitch, Style).
template <class C>
std::vector<PropertyDescriptor> FontProperties(const TGFont& (C::*get)() const, void (C::*set)(const TGFont&))
{
    std::vector<PropertyDescriptor> entries;
    entries.push_back(
        SubProperty<C>("Font.Color", PropertyType::Color, std::nullopt, get, set, &TGFont::Color));
    entries.push_back(
        SubProperty<C>("Font.Height", PropertyType::Integer, std::nullopt, get, set, &TGFont::Height));
    entries.push_back(
        SubProperty<C>("Font.Name", PropertyType::String, std::nullopt, get, set, &TGFont::Name));
    // A font always has a name: an empty one is ignored, as font objects do.
    entries.back().Set = [setName = entries.back().Set](TGGraphicControl& e, const PropertyValue& v) {
        if (!std::get<std::string>(v).empty())
            setName(e, v);
    };
    entries.push_back(SubProperty<C>("Font.Pitch", PropertyType::Enumeration,
                                     PropertyValue(static_cast<int32_t>(TFontPitch::fpDefault)), get, set,
                                     &TGFont::Pitch));
    entries.back().ValueNames = EnumNames<TFontPitch>();
    entries.push_back(
        SubProperty<C>("Font.Style", PropertyType::Set, std::nullopt, get, set, &TGFont::Style));
    entries.back().ValueNames = EnumNames<TFontStyle>();
    return entries;
}

// The four "Pen." entries (Color, Mode, Style, Width).
template <class C>
std::vector<PropertyDescriptor> PenProperties(const TGPen& (C::*get)() const, void (C::*set)(const TGPen&))
{
    std::vector<PropertyDescriptor> entries;
    entries.push_back(
        SubProperty<C>("Pen.Color", PropertyType::Color, PropertyValue(clBlack), get, set, &TGPen::Color));
    entries.push_back(SubProperty<C>("Pen.Mode", PropertyType::Enumeration,
                                     PropertyValue(static_cast<int32_t>(TPenMode::pmCopy)), get, set,
                                     &TGPen::Mode));
    entries.back().ValueNames = EnumNames<TPenMode>();
    entries.push_back(SubProperty<C>("Pen.Style", PropertyType::Enumeration,
                                     PropertyValue(static_cast<int32_t>(TPenStyle::psSolid)), get, set,
                                     &TGPen::Style));
    entries.back().ValueNames = EnumNames<TPenStyle>();
    entries.push_back(SubProperty<C>("Pen.Width", PropertyType::Integer, PropertyValue(int32_t{1}), get, set,
                                     &TGPen::Width));
    return entries;
}

// The two "Brush." entries (Color, Style).
template <class C>
std::vector<PropertyDescriptor> BrushProperties(const TGBrush& (C::*get)() const,
                                                void (C::*set)(const TGBrush&))
{
    std::vector<PropertyDescriptor> entries;
    entries.push_back(SubProperty<C>("Brush.Color", PropertyType::Color, PropertyValue(clWhite), get, set,
                                     &TGBrush::Color));
    entries.push_back(SubProperty<C>("Brush.Style", PropertyType::Enumeration,
                                     PropertyValue(static_cast<int32_t>(TBrushStyle::bsSolid)), get, set,
                                     &TGBrush::Style));
    entries.back().ValueNames = EnumNames<TBrushStyle>();
    return entries;
}

// Concatenation of descriptor lists, for building tables.
std::vector<PropertyDescriptor> Join(std::initializer_list<std::vector<PropertyDescriptor>> parts);

} // namespace corvane
