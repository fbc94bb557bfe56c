#include "WindowSelectors.h"

#include "frmDirectory.h"
#include "frmPattern.h"
#include "frmRange.h"

namespace {

// The caller's caption while the directory window is open; its own again afterwards.
class CaptionWhileOpen {
public:
    CaptionWhileOpen(frmDirectory &window, const QString &caption) : window(window) {
        window.setWindowTitle(caption);
    }
    ~CaptionWhileOpen() { window.setWindowTitle(QString::fromLatin1(frmDirectory::Caption)); }
    CaptionWhileOpen(const CaptionWhileOpen &) = delete;
    CaptionWhileOpen &operator=(const CaptionWhileOpen &) = delete;

private:
    frmDirectory &window;
};

} // namespace

WindowSelectors::WindowSelectors()
    : directory(std::make_unique<frmDirectory>()), pattern(std::make_unique<frmPattern>()),
      range(std::make_unique<frmRange>()) {}

WindowSelectors::~WindowSelectors() = default;

QString WindowSelectors::GetDirectory(const QString &start, const QString &caption) {
    const CaptionWhileOpen title(*directory, caption);
    return directory->GetDirectory(start);
}

bool WindowSelectors::GetAdvancedDirectory(clsDirectory &entry, const QString &caption) {
    const CaptionWhileOpen title(*directory, caption);
    return directory->GetAdvancedDirectory(entry);
}

QString WindowSelectors::GetFile(const QString &path, bool nameAllowed, const QString &filter,
                                 const QString &caption) {
    const CaptionWhileOpen title(*directory, caption);
    return directory->GetFile(path, nameAllowed, filter);
}

QString WindowSelectors::GetPattern(const QString &start) {
    return pattern->GetPattern(start);
}

void WindowSelectors::ShowRange(RangeRows &rows) {
    range->ShowForm(rows);
}

QString WindowSelectors::LastDirectory() const {
    return directory->ShownDirectory();
}
