#include "layout/MetafilePlayer.h"

#include <QPainter>
#include <QSvgRenderer>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace corvane {

namespace {

// One libwmf session; everything it allocated goes with it.
class WmfSession {
  public:
    WmfSession()
    {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&FApi, flags, &options) != wmf_E_None) {
            if (FApi)
                wmf_api_destroy(FApi);
            FApi = nullptr;
        }
    }
    ~WmfSession()
    {
        if (FApi)
            wmf_api_destroy(FApi);
    }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    wmfAPI* Api() const { return FApi; }

  private:
    wmfAPI* FApi = nullptr;
};

} // namespace

Result<QByteArray> WindowsMetafileToSvg(const QByteArray& bytes)
{
    using Svg = Result<QByteArray>;
    if (bytes.mid(40, 4) == " EMF")
        return Svg::Error("an enhanced metafile (EMF) cannot be drawn here");
    WmfSession session;
    if (!session.Api())
        return Svg::Error("the metafile library could not start");
    wmfAPI* api = session.Api();
    wmf_svg_t* svg = WMF_SVG_GetData(api);
    svg->out = wmf_stream_create(api, nullptr); // into memory
    if (!svg->out)
        return Svg::Error("the metafile library could not start");

    QByteArray input(bytes); // the library reads through a non-const pointer
    wmfD_Rect bounds{};
    wmf_error_t error = wmf_mem_open(api, reinterpret_cast<unsigned char*>(input.data()), input.size());
    if (error == wmf_E_None)
        error = wmf_scan(api, 0, &bounds);
    if (error == wmf_E_None) {
        unsigned int width = 0, height = 0;
        error = wmf_display_size(api, &width, &height, 72, 72);
        svg->bbox = bounds;
        svg->width = width;
        svg->height = height;
        if (error == wmf_E_None)
            error = wmf_play(api, 0, &bounds);
    }
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, svg->out, &text, &length);
    const QByteArray document = text ? QByteArray(text, static_cast<qsizetype>(length)) : QByteArray();
    if (error != wmf_E_None || document.isEmpty())
        return Svg::Error("the metafile cannot be read");
    return document;
}

Result<QPicture> PlayMetafile(const QByteArray& bytes)
{
    Result<QByteArray> document = WindowsMetafileToSvg(bytes);
    if (!document)
        return document.ToStatus();
    QSvgRenderer renderer(*document);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty())
        return Result<QPicture>::Error("the metafile cannot be read");
    QPicture picture;
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    // The metafile's own frame, whatever part of it is drawn on.
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    return picture;
}

} // namespace corvane
