// make-icon-png SVG OUT.png SIZE: draws the program's hand-made SVG icon as a SIZE x SIZE PNG.
// It reads the few SVG elements the icon uses (rect, polygon, line, circle with fill, stroke,
// stroke-width, stroke-linecap, stroke-linejoin and rect's rx) and refuses any other, so a
// drawing the tool cannot reproduce fails the build instead of giving a wrong picture.

#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QXmlStreamReader>

namespace {

[[noreturn]] void Fail(const QString& text)
{
    std::fprintf(stderr, "make-icon-png: %s\n", qPrintable(text));
    std::exit(1);
}

QColor Colour(const QXmlStreamAttributes& attributes, const char* name)
{
    const QString value = attributes.value(QLatin1String(name)).toString();
    if (value.isEmpty() || value == QLatin1String("none"))
        return Qt::transparent;
    const QColor colour = QColor::fromString(value);
    if (!colour.isValid())
        Fail(QStringLiteral("not a colour: %1").arg(value));
    return colour;
}

double Number(const QXmlStreamAttributes& attributes, const char* name, double fallback = 0)
{
    const QString value = attributes.value(QLatin1String(name)).toString();
    if (value.isEmpty())
        return fallback;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        Fail(QStringLiteral("not a number: %1=\"%2\"").arg(QLatin1String(name), value));
    return number;
}

void SetPenAndBrush(QPainter& painter, const QXmlStreamAttributes& attributes)
{
    const QColor stroke = Colour(attributes, "stroke");
    if (stroke.alpha() == 0) {
        painter.setPen(Qt::NoPen);
    } else {
        QPen pen(stroke, Number(attributes, "stroke-width", 1));
        const QString cap = attributes.value(QLatin1String("stroke-linecap")).toString();
        pen.setCapStyle(cap == QLatin1String("round")    ? Qt::RoundCap
                        : cap == QLatin1String("square") ? Qt::SquareCap
                                                         : Qt::FlatCap);
        const QString join = attributes.value(QLatin1String("stroke-linejoin")).toString();
        pen.setJoinStyle(join == QLatin1String("round")   ? Qt::RoundJoin
                         : join == QLatin1String("bevel") ? Qt::BevelJoin
                                                          : Qt::MiterJoin);
        painter.setPen(pen);
    }
    const QColor fill =
        attributes.hasAttribute(QLatin1String("fill")) ? Colour(attributes, "fill") : QColor(Qt::black);
    painter.setBrush(fill.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(fill));
}

QPolygonF Points(const QString& text)
{
    QPolygonF polygon;
    const QStringList numbers =
        text.simplified().replace(QLatin1Char(','), QLatin1Char(' ')).split(QLatin1Char(' '));
    if (numbers.size() < 4 || numbers.size() % 2 != 0)
        Fail(QStringLiteral("points need pairs of numbers: %1").arg(text));
    for (qsizetype i = 0; i < numbers.size(); i += 2) {
        bool okX = false;
        bool okY = false;
        polygon << QPointF(numbers[i].toDouble(&okX), numbers[i + 1].toDouble(&okY));
        if (!okX || !okY)
            Fail(QStringLiteral("not a point list: %1").arg(text));
    }
    return polygon;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4)
        Fail(QStringLiteral("usage: make-icon-png SVG OUT.png SIZE"));
    const int size = std::atoi(argv[3]);
    if (size < 8 || size > 1024)
        Fail(QStringLiteral("size out of range: %1").arg(QLatin1String(argv[3])));
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("cannot read %1").arg(file.fileName()));

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QXmlStreamReader xml(&file);
    bool sawCanvas = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == QLatin1String("svg")) {
            const QStringList box =
                attributes.value(QLatin1String("viewBox")).toString().split(QLatin1Char(' '));
            if (box.size() != 4)
                Fail(QStringLiteral("the svg element needs a viewBox of four numbers"));
            painter.scale(size / box[2].toDouble(), size / box[3].toDouble());
            painter.translate(-box[0].toDouble(), -box[1].toDouble());
            sawCanvas = true;
            continue;
        }
        if (!sawCanvas)
            Fail(QStringLiteral("no svg element"));
        SetPenAndBrush(painter, attributes);
        if (name == QLatin1String("rect")) {
            const QRectF rect(Number(attributes, "x"), Number(attributes, "y"), Number(attributes, "width"),
                              Number(attributes, "height"));
            const double radius = Number(attributes, "rx");
            painter.drawRoundedRect(rect, radius, radius);
        } else if (name == QLatin1String("polygon")) {
            painter.drawPolygon(Points(attributes.value(QLatin1String("points")).toString()));
        } else if (name == QLatin1String("line")) {
            painter.drawLine(QPointF(Number(attributes, "x1"), Number(attributes, "y1")),
                             QPointF(Number(attributes, "x2"), Number(attributes, "y2")));
        } else if (name == QLatin1String("circle")) {
            const double radius = Number(attributes, "r");
            painter.drawEllipse(QPointF(Number(attributes, "cx"), Number(attributes, "cy")), radius, radius);
        } else {
            Fail(QStringLiteral("element <%1> is not drawn by this tool").arg(name.toString()));
        }
    }
    if (xml.hasError())
        Fail(QStringLiteral("%1: %2").arg(file.fileName(), xml.errorString()));
    if (!sawCanvas)
        Fail(QStringLiteral("no svg element"));
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG"))
        Fail(QStringLiteral("cannot write %1").arg(QLatin1String(argv[2])));
    return 0;
}
