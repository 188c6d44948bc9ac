#include "layout/PropertyDescriptor.h"

namespace corvane {

bool PropertyDescriptor::IsStored(const TGGraphicControl& element) const
{
    const PropertyValue value = Get(element);
    switch (Type) {
    case PropertyType::String:
        return !std::get<std::string>(value).empty();
    case PropertyType::StringList:
        return !std::get<std::vector<std::string>>(value).empty();
    case PropertyType::Picture:
        return !std::get<TGPicture>(value).Empty();
    default:
        return !Default || *Default != value;
    }
}

PropertyTable::PropertyTable(const PropertyTable& base, std::vector<PropertyDescriptor> own)
    : FProperties(base.FProperties)
{
    for (PropertyDescriptor& d : own)
        FProperties.push_back(std::move(d));
}

const PropertyDescriptor* PropertyTable::Find(std::string_view name) const
{
    for (const PropertyDescriptor& d : FProperties)
        if (SameIdentifier(d.Name, name))
            return &d;
    return nullptr;
}

std::vector<PropertyDescriptor> Join(std::initializer_list<std::vector<PropertyDescriptor>> parts)
{
    std::vector<PropertyDescriptor> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace corvane
