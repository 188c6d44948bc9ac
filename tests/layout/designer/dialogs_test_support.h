#pragma once
// Element dialogs under test: a data panel with a record source to put elements on, and a script
// that stands in for the modal loop of each dialog the code opens (by the dialog's objectName),
// recording which dialogs opened.

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QDialog>

#include "layout/ComponentOwner.h"
#include "layout/LayoutRecordSource.h"
#include "layout/TGDataPanel.h"
#include "layout/designer/dialogs/DialogRunner.h"

namespace corvane::testing {

struct DialogLayout {
    ComponentOwner Owner;
    TGDataPanel Panel{Owner};
    AddressRecordSource Source;
    int Changes = 0;
    DialogLayout()
    {
        Panel.SetSize(400, 300);
        Panel.SetRecordSource(&Source);
        Panel.LabelChangedEvent = [this](TGBasePanel&) { ++Changes; };
    }
    template <class T> T& Add(PixelRect bounds = {10, 10, 142, 33})
    {
        auto element = std::make_unique<T>();
        element->SetDesignBounds(bounds);
        T& e = static_cast<T&>(Panel.InsertElement(std::move(element)));
        e.BuildMenu();
        return e;
    }
};

// Each dialog opened runs the step given for its objectName (Rejected when there is none).
class DialogScript {
  public:
    using Step = std::function<int(QDialog&)>;

    DialogScript()
        : FGuard([this](QDialog& dialog) {
              Opened.push_back(dialog.objectName().toStdString());
              const auto step = Steps.find(dialog.objectName().toStdString());
              return step == Steps.end() ? static_cast<int>(QDialog::Rejected) : step->second(dialog);
          })
    {
    }

    std::map<std::string, Step> Steps;
    std::vector<std::string> Opened;

  private:
    ScopedDialogRunner FGuard;
};

// A named control of a dialog; throws (failing the test) when the dialog has none.
template <class T> T& Control(QWidget& dialog, const char* objectName)
{
    T* control = dialog.findChild<T*>(objectName);
    if (!control)
        throw std::runtime_error(std::string("no control ") + objectName);
    return *control;
}

} // namespace corvane::testing
