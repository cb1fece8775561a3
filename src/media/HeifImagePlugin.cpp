// Built into the application rather than installed beside Qt's own plugins:
// the moc output below is compiled here, as a static plugin.
#define QT_STATICPLUGIN

#include "media/HeifImagePlugin.h"

#include "media/HeifImageHandler.h"

#include <QImageIOPlugin>
#include <QtPlugin>

class NivoraHeifImagePlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "heif.json")

public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override
    {
        if (format == "heic" || format == "heif" || format == "avif")
            return CanRead;
        if (!format.isEmpty() || !device || !device->isOpen())
            return {};
        return nivora::HeifImageHandler::canRead(device) ? Capabilities(CanRead) : Capabilities();
    }

    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override
    {
        auto* handler = new nivora::HeifImageHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

// Defined by the moc output included at the end.
extern const QStaticPlugin qt_static_plugin_NivoraHeifImagePlugin();

namespace nivora {

void registerImageFormats()
{
    static const bool registered = [] {
        qRegisterStaticPluginFunction(qt_static_plugin_NivoraHeifImagePlugin());
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace nivora

#include "HeifImagePlugin.moc"
