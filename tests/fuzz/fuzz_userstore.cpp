// Bytes of the per-user store file through its reader, the start-up's reading of the values
// (which also moves and deletes the values older versions left) and the writer.
//
// What the reader keeps must survive being written and read again unchanged, or a store would
// lose or alter values each time the window closes.

#include "config/regfileformat.h"
#include "config/uservalues.h"
#include "fuzzsupport.h"

#include <QLocale>

using namespace vex;
using namespace vex::fuzz;

namespace {

// UTF-8 cannot carry half a surrogate pair; such a text cannot survive the file unchanged.
bool hasLoneSurrogate(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            return true;
        }
    }
    return false;
}

bool writable(const UserStoreData& data) {
    for (const UserStoreData::Group* g : {&data.values, &data.mode}) {
        for (const UserStoreData::Named& n : g->values) {
            if (hasLoneSurrogate(n.name) || hasLoneSurrogate(n.value.text)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size).toByteArray();
    const UserStoreData parsed = regfile::parseBytes(bytes);

    const QByteArray written = regfile::serializeBytes(parsed);
    const UserStoreData reread = regfile::parseBytes(written);
    if (writable(parsed)) {
        VEX_FUZZ_CHECK(reread == parsed);
    }
    VEX_FUZZ_CHECK(regfile::serializeBytes(reread) == written || !writable(parsed));

    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Danish, QLocale::Denmark)}) {
        MemoryUserStore store(parsed);
        const UserValues values = LoadUserValues(store, locale);
        VEX_FUZZ_CHECK(values.list1.indexPointer >= 0 && values.list2.indexPointer >= 0);
        (void)SearchTimeFromText(values.list1.searchTimeText, locale);
        (void)SearchTimeFromText(values.list2.searchTimeText, locale);

        // Closing the window writes the values back; the store must still read.
        UserValuesToStore out;
        out.list1 = values.list1;
        out.list2 = values.list2;
        out.list1.searchTime = SearchTimeFromText(values.list1.searchTimeText, locale);
        out.positionTop = values.positionTop.value_or(0);
        out.positionLeft = values.positionLeft.value_or(0);
        out.formHeight = values.formHeight.value_or(0);
        out.panelTopHeight = values.panelTopHeight.value_or(0);
        VEX_FUZZ_CHECK(StoreUserValues(store, out));
        MemoryUserStore again(regfile::parseBytes(regfile::serializeBytes(store.data())));
        const UserValues second = LoadUserValues(again, locale);
        if (writable(store.data())) {
            VEX_FUZZ_CHECK(second.list1.lastSearchInput == out.list1.lastSearchInput);
        }
    }
    return 0;
}
