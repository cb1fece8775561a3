#include "dashboard/DashboardPages.h"

#include "dashboard/AboutPage.h"
#include "dashboard/AccountPage.h"
#include "dashboard/ColorsPage.h"
#include "dashboard/DisplaysPage.h"
#include "dashboard/IconsPage.h"
#include "dashboard/MediaPage.h"
#include "dashboard/PageContext.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PerformancePage.h"
#include "dashboard/ScenesPage.h"
#include "dashboard/ScreenSourceEditor.h"
#include "dashboard/ScreenTargetBar.h"
#include "dashboard/WidgetsPage.h"
#include "platform/QtScreenProvider.h"

#include <QVBoxLayout>

namespace nivora {

QWidget* createHeaderOnlyPage(NavSection section, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makePageHeader(section, page));
    layout->addStretch(1);
    return page;
}

namespace {

// The screen selector goes right under the page's header; the page itself
// edits whatever the selector chose through the editor's copy of the settings.
QWidget* withScreenTarget(QWidget* page, const PageContext& context)
{
    if (auto* column = qobject_cast<QVBoxLayout*>(page->layout()))
        column->insertWidget(
            1, new ScreenTargetBar(context.sourceEditor(), std::make_unique<QtScreenProvider>(), page));
    return page;
}

} // namespace

QWidget* createPage(NavSection section, const PageContext& context, QWidget* parent)
{
    QWidget* page = nullptr;
    switch (section) {
    case NavSection::About:
        page = new AboutPage(context.state(), parent);
        break;
    case NavSection::Account:
        page = new AccountPage(context.account(), parent);
        break;
    case NavSection::Icons:
        page = new IconsPage(parent);
        break;
    case NavSection::Scenes:
        page = withScreenTarget(new ScenesPage(context.sourceEditor().edited(), parent), context);
        break;
    case NavSection::Colors:
        page = withScreenTarget(new ColorsPage(context.sourceEditor().edited(), parent), context);
        break;
    case NavSection::Displays:
        page = new DisplaysPage(context.state(), std::make_unique<QtScreenProvider>(), parent,
                                &context.sourceEditor());
        break;
    case NavSection::Performance:
        page = new PerformancePage(context.state(), context.shellBackground(), context.platform(), parent);
        break;
    case NavSection::Media:
        page = withScreenTarget(new MediaPage(context.sourceEditor().edited(), context.mediaStatus(), parent),
                                context);
        break;
    case NavSection::Widgets:
        page = new WidgetsPage(context.state(), parent);
        break;
    default:
        page = createHeaderOnlyPage(section, parent);
        break;
    }
    page->setObjectName(QStringLiteral("page-") + NavSections::rawValue(section));
    return page;
}

} // namespace nivora
