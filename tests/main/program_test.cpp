#include "services/Version.h"
#include "tests/main/MainWindowFixture.h"

#include <QDialogButtonBox>
#include <QMenu>

namespace vkt::testing {
namespace {

// The caption writes the version without its second dot, "1.4.6" as "v1.46a".
TEST_F(MainWindowTest, TitleCarriesTheBuildsVersion)
{
    QString version = QString::fromLatin1(kVersion);
    version.remove(version.lastIndexOf(u'.'), 1);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("VKT  - Holdsarló kor és fázis számoló     -  v%1a  (x86)   - Tarvo Edition").arg(version));
}

TEST_F(MainWindowTest, QtsOwnTextsAreHungarian)
{
    const std::unique_ptr<QMenu> menu(area().Text11->createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_TRUE(menu->actions().constFirst()->text().startsWith(QStringLiteral("&Visszavonás")))
        << menu->actions().constFirst()->text().toStdString();
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Mégse"));
}

} // namespace
} // namespace vkt::testing
