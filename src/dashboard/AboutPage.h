#pragma once

#include <QWidget>

namespace nivora {

// The About page: the logo, the name, the version and the privacy note. It reads
// nothing from the settings and changes nothing.
class AboutPage : public QWidget
{
    Q_OBJECT

public:
    explicit AboutPage(QWidget* parent = nullptr);

    // The version shown after "Version ": the build's project version, or "1.0"
    // when the build defines none.
    static QString version();
    static QString versionFor(const QString& defined);
};

} // namespace nivora
