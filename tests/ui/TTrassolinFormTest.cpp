#include "ui/TTrassolinForm.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(TTrassolinForm, HasFourStatusPanelsWithGivenWidths)
{
    TTrassolinForm form(QStringLiteral("/tmp/"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Trassolin"));
    ASSERT_NE(form.statusPanel(0), nullptr);
    EXPECT_EQ(form.statusPanel(0)->minimumWidth(), 300);
    EXPECT_EQ(form.statusPanel(1)->minimumWidth(), 250);
    EXPECT_EQ(form.statusPanel(2)->minimumWidth(), form.width() - 630);
    EXPECT_EQ(form.statusPanel(3)->text(), QStringLiteral("Uhr"));
    EXPECT_EQ(form.statusPanel(4), nullptr);
}
