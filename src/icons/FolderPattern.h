#pragma once

#include "icons/PatternKind.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QUuid>

namespace nivora {

// One named folder-icon preset: a pattern kind and its colours. Colour 0 is the
// ground, the others are motif colours. The id only tells list entries apart; it
// is new for every constructed value and never stored.
class FolderPattern
{
public:
    FolderPattern(const QString& name, const QString& category, PatternKind kind,
                  const QList<QColor>& colors);

    QUuid id() const { return m_id; }
    QString name() const { return m_name; }
    QString category() const { return m_category; }
    PatternKind kind() const { return m_kind; }
    const QList<QColor>& colors() const { return m_colors; }

    // The 52 built-in presets in display order, built on first use (safely from any
    // thread) and shared for the rest of the process.
    static const QList<FolderPattern>& all();

    // The preset a command line names: the exact name first, then ignoring case.
    // Null when none matches.
    static const FolderPattern* find(const QString& name);
    // Every preset's name, one indented line each, for usage messages.
    static QString nameList();

private:
    QUuid m_id;
    QString m_name;
    QString m_category;
    PatternKind m_kind;
    QList<QColor> m_colors;
};

} // namespace nivora
