#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/windows/WhatsThis.h"

namespace corvane {
namespace {

class WhatsThisTest : public ::testing::Test {
  protected:
    WhatsThisTest()
    {
        FWindow.setObjectName("TPreferences");
        auto* layout = new QVBoxLayout(&FWindow);
        FGroup = new QGroupBox("Carry forward the following fields:", &FWindow);
        FGroup->setObjectName("CarryGroup");
        auto* groupLayout = new QVBoxLayout(FGroup);
        FCaption = new QLabel("Organization", FGroup);
        groupLayout->addWidget(FCaption);
        FCountry = new QLineEdit(&FWindow);
        FCountry->setObjectName("DefaultCountryEdit");
        layout->addWidget(FGroup);
        layout->addWidget(FCountry);
        FWindow.resize(300, 200);
        FWindow.show();
    }
    QWidget FWindow;
    QGroupBox* FGroup;
    QLabel* FCaption;
    QLineEdit* FCountry;
};

TEST_F(WhatsThisTest, TextsGoToTheNamedControlsAndUnknownNamesAreReported)
{
    const QStringList missing =
        InstallWhatsThis(&FWindow, {{"CarryGroup", "Fields copied into a new record."},
                                    {"DefaultCountryEdit", "Put into new records."},
                                    {"DefaultContryEdit", "misspelt"}});
    EXPECT_EQ(missing, QStringList{"DefaultContryEdit"});
    EXPECT_EQ(FGroup->whatsThis(), "Fields copied into a new record.");
    EXPECT_EQ(FCountry->whatsThis(), "Put into new records.");

    // A label inside the group explains itself with the group's text.
    const QPoint onCaption = FCaption->mapTo(&FWindow, FCaption->rect().center());
    EXPECT_EQ(WhatsThisTextAt(&FWindow, onCaption), "Fields copied into a new record.");
}

TEST_F(WhatsThisTest, RightClickOffersTheSingleItem)
{
    (void)InstallWhatsThis(&FWindow, {{"CarryGroup", "Fields copied into a new record."}});
    (void)InstallWhatsThis(&FWindow, {}); // installing twice still gives one menu

    QStringList items;
    int menus = 0;
    QTimer::singleShot(50, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            ++menus;
            for (QAction* action : menu->actions())
                items << action->text();
            menu->close();
        }
    });
    // The label has no menu of its own, so its request travels up to the window.
    const QPoint onCaption = FCaption->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, onCaption, FCaption->mapToGlobal(onCaption));
    QApplication::sendEvent(FCaption, &request);
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(items, QStringList{"What's this?"});
    EXPECT_TRUE(request.isAccepted());
}

TEST(MouseHelpButton, IsNamedAndStartsTheMouseHelp)
{
    QWidget window;
    QToolButton* button = CreateMouseHelpButton(&window);
    EXPECT_EQ(button->objectName(), "MouseHelpButton");
    ASSERT_NE(button->defaultAction(), nullptr);
    EXPECT_EQ(button->toolTip(), "Click here for mouse help");
}

} // namespace
} // namespace corvane
