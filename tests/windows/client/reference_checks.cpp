// The same texts and settings give the same pattern data, BMP and WMF bytes as the Linux build.
#include <windows.h>

#include <string>

#include "bmp_file.h"
#include "cases.h"
#include "checks.h"
#include "library.h"
#include "observe.h"
#include "suites.h"

namespace qrwin {

namespace {

void Apply(const ReferenceCase& c) {
    const Exports& api = Api();
    api.QRSetDefault();
    api.QRSetSize(c.width, c.height);
    api.QRConfigure(c.version, c.level, c.mask);
    api.QRAppearance(c.moduleSizeCm, c.rotation, c.frameStyle);
    api.QRSetBackColor(c.back.red, c.back.green, c.back.blue);
    api.QRSetBarColor(c.bar.red, c.bar.green, c.bar.blue);
    api.QRSetMessage(c.text);
}

std::string AsText(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Where two byte strings first differ, for the failure message.
std::string FirstDifference(const std::vector<unsigned char>& a,
                            const std::vector<unsigned char>& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", first difference at byte " + std::to_string(i);
}

// Writes the current symbol with one of the file exports and compares it with the reference.
void CompareFile(int16_t(WINAPI* save)(const char*), const char* kind, const std::string& reference,
                 const char* name) {
    bool found = false;
    const std::vector<unsigned char> expected = ReadWholeFile(reference, &found);
    if (!Check(found, std::string("reference ") + kind + " present: " + name, reference)) return;
    const std::string path = TempPath("reference.out");
    const bool written = save(path.c_str()) == -1;
    const std::vector<unsigned char> actual = ReadWholeFile(path);
    ::DeleteFileA(path.c_str());
    Check(written && actual == expected,
          std::string(kind) + " bytes equal the Linux build's: " + name,
          FirstDifference(actual, expected));
}

}  // namespace

void RunReferenceChecks(const std::string& folder) {
    if (!Check(AllResolved(), "all exports resolved for the reference checks")) return;
    for (const ReferenceCase& c : kReferenceCases) {
        const std::string stem = folder + "\\" + c.name;
        bool found = false;
        const std::vector<unsigned char> pattern = ReadWholeFile(stem + ".pattern", &found);
        if (!Check(found && !pattern.empty(), std::string("reference pattern present: ") + c.name,
                   stem + ".pattern")) {
            continue;
        }
        Apply(c);
        Check(PatternNow() == AsText(pattern),
              std::string("pattern data equals the Linux build's: ") + c.name);

        CompareFile(Api().QRSaveAsBMP, "BMP", stem + ".bmp", c.name);
        CompareFile(Api().QRSaveAsWMF, "WMF", stem + ".wmf", c.name);
    }
}

}  // namespace qrwin
