#include "common/ProgramFixture.h"

#include <gtest/gtest.h>

namespace {
struct Settings : ProgramFixture {
    Settings() { info().ShowStartWindow(); }
    ProjectSettings& s() { return programm->settings; }
};
} // namespace

TEST(TSystem, SteppersKeepTheirLimits)
{
    Settings f;
    struct Step {
        int ProjectSettings::*field;
        int start;
        void (TSystem::*step)();
        int expected;
        const char* message;
    };
    const Step steps[] = {
        {&ProjectSettings::FunktionenOnOffDelay, 2500, &TSystem::FunktionenOnOffDelayUp, 2500, nullptr},
        {&ProjectSettings::FunktionenOnOffDelay, 2400, &TSystem::FunktionenOnOffDelayUp, 2500, nullptr},
        {&ProjectSettings::FunktionenOnOffDelay, 100, &TSystem::FunktionenOnOffDelayDown, 100, nullptr},
        {&ProjectSettings::Automaticdelay, 5000, &TSystem::AutomaticdelayUp, 5200, nullptr},
        {&ProjectSettings::Automaticdelay, 800, &TSystem::AutomaticdelayDown, 800, nullptr},
        {&ProjectSettings::Automaticdelay, 1000, &TSystem::AutomaticdelayDown, 800, nullptr},
        {&ProjectSettings::WartezeitzwischenMagnetArt, 950, &TSystem::WartezeitzwischenMagnetArtUp, 950, "Max = 950 MSec !"},
        {&ProjectSettings::WartezeitzwischenMagnetArt, 900, &TSystem::WartezeitzwischenMagnetArtUp, 950, nullptr},
        {&ProjectSettings::WartezeitzwischenMagnetArt, 250, &TSystem::WartezeitzwischenMagnetArtDown, 250, "Min = 250 MSec !"},
        {&ProjectSettings::InfoAnzeigenDauer, 9500, &TSystem::InfoAnzeigenDauerUp, 9500, nullptr},
        {&ProjectSettings::InfoAnzeigenDauer, 1500, &TSystem::InfoAnzeigenDauerDown, 1000, nullptr},
        {&ProjectSettings::InfoAnzeigenDauer, 1000, &TSystem::InfoAnzeigenDauerDown, 1000, nullptr},
    };
    for (const Step& step : steps) {
        f.dialogs.asked.clear();
        f.s().*step.field = step.start;
        (f.system().*step.step)();
        EXPECT_EQ(f.s().*step.field, step.expected) << step.start;
        EXPECT_EQ(f.dialogs.asked, step.message ? QStringList({step.message}) : QStringList()) << step.start;
    }
}

TEST(TSystem, AccessoryCountTakesDigitsUpTo250)
{
    Settings f;
    EXPECT_EQ(f.system().setMagnetArtikelAnzahlText("120"), "120");
    EXPECT_EQ(f.s().MagnetArtikelAnzahl, 120);
    EXPECT_EQ(f.system().setMagnetArtikelAnzahlText("300"), "250");
    EXPECT_EQ(f.s().MagnetArtikelAnzahl, 250);
    EXPECT_EQ(f.system().setMagnetArtikelAnzahlText("9x9"), "99");
    EXPECT_TRUE(f.s().SettingsChanged);
}

TEST(TSystem, ChoosingAStationSetsItsPortAndTakingItOverBroadcastsTheConnection)
{
    Settings f;
    const int ports[] = {0, 0, 0, 0, 0, 15471, 15731, 15471, 15471, 21105};
    for (int typ = 5; typ <= 9; ++typ) {
        f.system().ChooseZentrale(typ);
        EXPECT_EQ(f.s().IpPort, ports[typ]) << typ;
        EXPECT_TRUE(f.system().networkFieldsVisible());
    }
    f.system().ChooseZentrale(2);
    EXPECT_TRUE(f.system().serialFieldsVisible());
    EXPECT_EQ(f.s().ZentraleTyp, 2) << "only taken over by the button";

    f.system().ChooseZentrale(8);
    f.system().setIpAddress(" 10.0.0.7 ");
    f.recorder.messages.clear();
    f.system().NeuZentraleUebernehmen();
    EXPECT_EQ(f.s().ZentraleTyp, 8);
    EXPECT_EQ(f.system().zentraleText, "ESU 50210 ECoS 2");
    EXPECT_EQ(f.recorder.messages, (std::vector<CoreMessage>{{Msg::WM_SYSTEM_COM_BAUD, 1, 19200},
                                                             {Msg::WM_SYSTEM_IP_PORT, "10.0.0.7", 15471}}));
    EXPECT_TRUE(f.system().speichernEnabled);
    f.system().Speichern();
    const QByteArray pro = f.read("Projekte/Default/Default.pro");
    EXPECT_TRUE(pro.contains("\r\n3.Protokol\r\n08 LAN ECOS 2\r\n"));
    EXPECT_TRUE(pro.contains("\r\n22.PORT-IP\r\n15471-10.0.0.7\r\n"));
}

TEST(TSystem, NoSettingsSaveWithoutASettingsFileRead)
{
    Settings f;
    f.programm->ProjektDateiGeladen = false;
    const QByteArray before = f.read("Projekte/Default/Default.pro");
    f.s().PanelColor = "clRed";
    f.system().ApplyPanelColor();
    EXPECT_FALSE(f.system().SaveProjectSettings());
    EXPECT_EQ(f.read("Projekte/Default/Default.pro"), before);
}
