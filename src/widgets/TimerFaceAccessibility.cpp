#include "widgets/TimerFaceAccessibility.h"

#include "model/WidgetCatalog.h"
#include "widgets/TimerFaceView.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

namespace nivora {

namespace {

// The buttons in the face's current stack, in drawing order.
QList<FaceStack::Button> faceButtons(const TimerFaceView* face)
{
    QList<FaceStack::Button> buttons;
    for (const FaceStack::Item& item : face->stack().items())
        buttons += item.buttons;
    return buttons;
}

// One drawn button. It has no object of its own: it reads the face each time, so
// its name follows the running state ("Démarrer" becomes "Pause").
class AccessibleFaceButton : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    AccessibleFaceButton(TimerFaceView* face, int index) : m_face(face), m_index(index) {}

    bool isValid() const override { return m_face && m_index < faceButtons(m_face).size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_face ? m_face->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_face); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return QString();
        return TimerFaceAccessibility::buttonName(faceButtons(m_face).at(m_index).icon);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid() || m_index >= m_face->buttonRects().size())
            return QRect();
        const QRect local = m_face->buttonRects().at(m_index).toAlignedRect();
        return QRect(m_face->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!m_face || !m_face->isVisible())
            s.invisible = true;
        s.focusable = true;
        s.focused = m_face && m_face->focusedButton() == m_index;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && isValid())
            m_face->triggerAction(faceButtons(m_face).at(m_index).action);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TimerFaceView> m_face;
    int m_index;
};

// The face: a group named after its widget, whose children are its buttons.
class AccessibleTimerFace : public QAccessibleWidget
{
public:
    explicit AccessibleTimerFace(TimerFaceView* face) : QAccessibleWidget(face, QAccessible::Grouping) {}

    ~AccessibleTimerFace() override
    {
        for (QAccessibleInterface* child : std::as_const(m_children))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(child));
    }

    TimerFaceView* face() const { return static_cast<TimerFaceView*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return WidgetKinds::name(face()->kind());
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return static_cast<int>(faceButtons(face()).size()); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // Each child is made once and registered, so its identity is stable for
        // the screen reader.
        while (m_children.size() <= index) {
            auto* child = new AccessibleFaceButton(face(), static_cast<int>(m_children.size()));
            QAccessible::registerAccessibleInterface(child);
            m_children.append(child);
        }
        return m_children.at(index);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const qsizetype i = m_children.indexOf(const_cast<QAccessibleInterface*>(child));
        return i < childCount() ? static_cast<int>(i) : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i)->rect().contains(x, y))
                return child(i);
        }
        return nullptr;
    }

private:
    mutable QList<QAccessibleInterface*> m_children;
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("nivora::TimerFaceView") && object && object->isWidgetType())
        return new AccessibleTimerFace(static_cast<TimerFaceView*>(object));
    return nullptr;
}

} // namespace

void TimerFaceAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

QString TimerFaceAccessibility::buttonName(const QString& symbol)
{
    if (symbol == QLatin1String("play.fill"))
        return QCoreApplication::translate("TimerFaceAccessibility", "Démarrer");
    if (symbol == QLatin1String("pause.fill"))
        return QCoreApplication::translate("TimerFaceAccessibility", "Pause");
    if (symbol == QLatin1String("arrow.counterclockwise"))
        return QCoreApplication::translate("TimerFaceAccessibility", "Réinitialiser");
    return symbol;
}

} // namespace nivora
