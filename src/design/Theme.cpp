#include "design/Theme.h"

namespace nivora::Theme {

QColor paper()
{
    return QColor(251, 247, 236);
}
QColor paper2()
{
    return QColor(244, 237, 219);
}
QColor paper3()
{
    return QColor(235, 227, 205);
}
QColor ink()
{
    return QColor(43, 39, 34);
}
QColor inkSoft()
{
    return QColor(110, 102, 91);
}
QColor inkFaint()
{
    return QColor(168, 159, 142);
}
QColor coral()
{
    return QColor(242, 102, 87);
}
QColor yellow()
{
    return QColor(244, 182, 58);
}
QColor blue()
{
    return QColor(76, 155, 222);
}
QColor green()
{
    return QColor(70, 185, 126);
}
QColor purple()
{
    return QColor(154, 111, 212);
}
QColor pink()
{
    return QColor(239, 135, 176);
}

const QList<QColor>& crayons()
{
    static const QList<QColor> list{coral(), yellow(), blue(), green(), purple(), pink()};
    return list;
}

} // namespace nivora::Theme
