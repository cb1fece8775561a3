#pragma once

#include <QWidget>

namespace nivora {

class AppState;
class SegmentedSelector;

// The About page: the logo, the name, the version, the privacy note and the
// interface's language.
class AboutPage : public QWidget
{
    Q_OBJECT

public:
    explicit AboutPage(AppState& state, QWidget* parent = nullptr);

    SegmentedSelector* languageSelector() const { return m_language; }

    // The version shown after "Version ": the build's project version, or "1.0"
    // when the build defines none.
    static QString version();
    static QString versionFor(const QString& defined);

private:
    SegmentedSelector* m_language = nullptr;
};

} // namespace nivora
