#include "assets/BundledAssets.h"

// Q_INIT_RESOURCE names a function declared at global scope.
static void registerBundledAssets()
{
    Q_INIT_RESOURCE(bundled_assets);
}

namespace nivora {

void BundledAssets::ensureLoaded()
{
    static const bool registered = [] {
        registerBundledAssets();
        return true;
    }();
    (void)registered;
}

QString BundledAssets::iconRoot()
{
    return QStringLiteral(":/nivora/icons");
}

QString BundledAssets::fontDirectory()
{
    return QStringLiteral(":/nivora/fonts");
}

} // namespace nivora
