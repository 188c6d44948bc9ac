#pragma once
// Reads and writes layout streams: label and envelope files (one element list), report files
// (three lists and a fourth the caller fills), the clipboard file and the in-memory clone copy.
// Writing visits each element's published properties in stream order and writes those that
// differ from their defaults; reading creates elements by class name, assigns the stored values
// and names them afresh ("Component" + the smallest free number).
//
// Files are written to a temporary file that is renamed over the old one, so a failed write
// leaves the old layout. Reads are all-or-nothing: the whole stream is decoded and every element
// built before any reaches a panel; a damaged stream is an error and changes nothing.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "layout/LayoutStream.h"
#include "platform/Result.h"

namespace corvane {

class ComponentOwner;
class ElementClassRegistry;
class TGBasePanel;
class TGGraphicControl;

using ElementPtr = std::unique_ptr<TGGraphicControl>;

class TGLabelObjectFiler {
  public:
    explicit TGLabelObjectFiler(const ElementClassRegistry& registry);

    // The record of one element (stream order, defaults left out; strings to Windows-1252). Fails
    // for text that Windows-1252 cannot hold.
    static Result<ElementRecord> RecordOf(const TGGraphicControl& element);
    // Elements from records: created by class name, the stored values assigned while the element is
    // loading. Fails (building nothing) for an unknown class or property or a value of the wrong
    // kind. Names are kept as stored; panels rename on insertion.
    Result<std::vector<ElementPtr>> ElementsOf(const ElementList& list) const;

    // The bytes of one element list.
    static Result<std::string> EncodeList(const std::vector<const TGGraphicControl*>& elements);
    // Elements of one element list that must be the whole of `bytes`.
    Result<std::vector<ElementPtr>> DecodeList(std::string_view bytes) const;

    // The operations of the panels and windows.
    Status SavePanel(const TGBasePanel& panel, const std::string& fileName) const;
    Status LoadPanel(TGBasePanel& panel, const std::string& fileName) const;
    Status SaveBands(const TGBasePanel& panelA, const TGBasePanel& panelB, const TGBasePanel& panelC,
                     const std::string& fileName,
                     const std::function<Status(LayoutStreamWriter&)>& writeExtra) const;
    Status LoadBands(TGBasePanel& panelA, TGBasePanel& panelB, TGBasePanel& panelC,
                     const std::string& fileName,
                     const std::function<Status(LayoutStreamReader&)>& readExtra) const;
    // Nothing is written for an empty selection (an existing file stays).
    Status SaveSelection(const std::vector<const TGGraphicControl*>& selection,
                         const std::string& fileName) const;
    // As LoadPanel, each element 15 pixels right of and below its stored place.
    Status PasteFile(TGBasePanel& panel, const std::string& fileName) const;
    Status SaveElement(const TGGraphicControl& element, const std::string& fileName) const;
    // The copy, read back into `panel` through memory (not offset).
    Result<TGGraphicControl*> CloneElement(const TGGraphicControl& element, TGBasePanel& panel) const;

    // Writes bytes to a temporary file beside `fileName` and renames it over `fileName`.
    static Status WriteFileAtomically(const std::string& fileName, std::string_view bytes);
    // The whole file; an error when it cannot be read (or is larger than any layout can be).
    static Result<std::string> ReadWholeFile(const std::string& fileName);

  private:
    // Reads a file of one element list into the panel (nothing when the file does not exist).
    Status ReadListFile(TGBasePanel& panel, const std::string& fileName, bool paste) const;
    // Inserts decoded elements into a panel (fresh names, optional paste offset), then builds
    // their menus in reading order and gives them the panel's zoom.
    static void Adopt(TGBasePanel& panel, std::vector<ElementPtr> elements, bool paste);

    const ElementClassRegistry& FRegistry;
};

} // namespace corvane
