#include "drivers/DriverContract.h"

#include <algorithm>

int AddressedType(const CoreMessage& message, int zentraleTyp, PowerOffTest powerOff)
{
    if (message.id == Msg::WM_POWEROFF_SENDEN && powerOff == PowerOffTest::ZentraleTyp) {
        return zentraleTyp;
    }
    switch (InfoOf(message.id).select) {
    case SelectOn::WParam:
        return message.w.toInt();
    case SelectOn::LParam:
        return message.l.toInt();
    case SelectOn::Every:
        return -1;
    case SelectOn::None:
        break;
    }
    return zentraleTyp;
}

bool IsForDriver(const CoreMessage& message, const DriverTypes& driver, int zentraleTyp)
{
    const int type = AddressedType(message, zentraleTyp, driver.powerOff);
    if (type == -1) {
        return true;
    }
    return type != 0 && std::find(driver.types.begin(), driver.types.end(), type) != driver.types.end();
}

S88Record S88ModulFuerNummer(int n, const QString& label)
{
    S88Record record;
    record.Label = label;
    for (int i = 0; i < 16; ++i) {
        record.Kontakte[i] = 16 * (n - 1) + i + 1;
    }
    return record;
}
