#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace nivora {

class ScreenProvider;
struct ScreenInfo;

// One row of the displays page.
struct DisplayRow
{
    quint32 displayID = 0;
    // The monitor's model name where the screen reports one, its output name
    // otherwise.
    QString title;
    // "W × H" in device-independent pixels, followed by " · Écran principal"
    // on the first row.
    QString detail;
    // The screen's name (output or monitor name), which keys its own values.
    QString name;
    // "W × H".
    QString size;

    bool operator==(const DisplayRow&) const = default;
};

// The displays page's own copy of the screen list, primary first, kept up to
// date while the screens come and go.
class DisplayList : public QObject
{
    Q_OBJECT

public:
    // The provider must outlive the list.
    explicit DisplayList(ScreenProvider& screens, QObject* parent = nullptr);

    const QList<DisplayRow>& rows() const { return m_rows; }
    // The identifiers of the connected screens, in row order.
    QList<quint32> connectedIDs() const;

    static DisplayRow rowFor(const ScreenInfo& screen, bool primary);
    static QString resolutionText(int width, int height);

Q_SIGNALS:
    // After the rows changed (a screen added, removed, renamed or resized).
    void rowsChanged();

private:
    void refresh();

    ScreenProvider& m_screens;
    QList<DisplayRow> m_rows;
};

} // namespace nivora
