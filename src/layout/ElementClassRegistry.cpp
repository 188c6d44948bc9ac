#include "layout/ElementClassRegistry.h"

#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGDateTimeLabel.h"
#include "layout/TGFIMBarCode.h"
#include "layout/TGImage.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPageNumberLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "layout/TGSymbolLabel.h"
#include "layout/Trpshapes.h"

namespace corvane {

namespace {

template <class T> std::pair<std::string, ElementFactory> Entry()
{
    T sample;
    return {std::string(sample.ClassName()), [] { return std::unique_ptr<TGGraphicControl>(new T()); }};
}

} // namespace

ElementClassRegistry& ElementClassRegistry::Shared()
{
    static ElementClassRegistry registry;
    return registry;
}

const std::map<std::string, ElementFactory, std::less<>>& ElementClassRegistry::KnownClasses()
{
    static const std::map<std::string, ElementFactory, std::less<>> classes = {
        Entry<TGPLabel>(),
        Entry<TGPDLabel>(),
        Entry<TGCounterLabel>(),
        Entry<TGSymbolLabel>(),
        Entry<TGDateTimeLabel>(),
        Entry<TGPageNumberLabel>(),
        Entry<TGMultiLineLabel>(),
        Entry<TGDMultiLineLabel>(),
        Entry<TGDMultiLineAddressLabel>(),
        Entry<TGLineShape>(),
        Entry<TGLabelShapes>(),
        Entry<Trpshapes>(),
        Entry<TGImage>(),
        Entry<TGPostNetBarCode>(),
        Entry<TGFIMBarCode>(),
        Entry<TGIntelligentMailBarCode>(),
    };
    return classes;
}

const std::vector<std::string_view>& ElementClassRegistry::LabelPanelClasses()
{
    static const std::vector<std::string_view> names = {"TGLineShape",
                                                        "TGPostNetBarCode",
                                                        "TGImage",
                                                        "TGLabelShapes",
                                                        "TGPLabel",
                                                        "TGPDLabel",
                                                        "TGCounterLabel",
                                                        "TGSymbolLabel",
                                                        "TGMultiLineLabel",
                                                        "TGDMultiLineLabel",
                                                        "TGDMultiLineAddressLabel",
                                                        "TGIntelligentMailBarCode"};
    return names;
}

const std::vector<std::string_view>& ElementClassRegistry::EnvelopePanelClasses()
{
    static const std::vector<std::string_view> names = {"TGLineShape",
                                                        "TGPostNetBarCode",
                                                        "TGFIMBarCode",
                                                        "TGImage",
                                                        "TGLabelShapes",
                                                        "TGPLabel",
                                                        "TGPDLabel",
                                                        "TGMultiLineLabel",
                                                        "TGDMultiLineAddressLabel",
                                                        "TGIntelligentMailBarCode"};
    return names;
}

const std::vector<std::string_view>& ElementClassRegistry::ReportPanelClasses()
{
    static const std::vector<std::string_view> names = {
        "TGLineShape",     "TGImage",           "TGPLabel",  "TGPDLabel",    "TGDMultiLineLabel",
        "TGDateTimeLabel", "TGPageNumberLabel", "Trpshapes", "TGSymbolLabel"};
    return names;
}

bool ElementClassRegistry::Register(std::string_view className)
{
    const auto& known = KnownClasses();
    auto it = known.find(className);
    if (it == known.end())
        return false;
    FClasses.insert(*it);
    return true;
}

void ElementClassRegistry::Register(std::initializer_list<std::string_view> classNames)
{
    for (std::string_view name : classNames)
        Register(name);
}

void ElementClassRegistry::RegisterAll()
{
    for (const auto& entry : KnownClasses())
        FClasses.insert(entry);
}

bool ElementClassRegistry::IsRegistered(std::string_view className) const
{
    return FClasses.find(className) != FClasses.end();
}

std::unique_ptr<TGGraphicControl> ElementClassRegistry::Create(std::string_view className) const
{
    auto it = FClasses.find(className);
    if (it == FClasses.end())
        return nullptr;
    return it->second();
}

} // namespace corvane
