#include "graph/PictureFile.h"

#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "graph/PainterCanvas.h"

namespace {

constexpr int ScreenDotsPerInch = 96;
constexpr double PointsPerInch = 72;

bool WritePng(QIODevice& file, const PictureSpec& picture,
              const std::function<void(Canvas&)>& draw) {
    QImage image(picture.size, QImage::Format_RGB32);
    {
        PainterCanvas canvas(image, CanvasEdges::Smooth);
        draw(canvas);
    }
    return image.save(&file, "PNG");
}

bool WriteSvg(QIODevice& file, const PictureSpec& picture,
              const std::function<void(Canvas&)>& draw) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(picture.size);
    svg.setViewBox(QRect(QPoint(0, 0), picture.size));
    svg.setResolution(ScreenDotsPerInch);
    svg.setTitle(QString::fromStdString(picture.title));
    svg.setDescription(QString());
    {
        PainterCanvas canvas(svg, CanvasEdges::Smooth);
        draw(canvas);
    }
    return file.isOpen();
}

bool WritePdf(QIODevice& file, const PictureSpec& picture,
              const std::function<void(Canvas&)>& draw) {
    QPdfWriter pdf(&file);
    pdf.setTitle(QString::fromStdString(picture.title));
    pdf.setResolution(ScreenDotsPerInch);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(picture.size) * (PointsPerInch / ScreenDotsPerInch),
                              QPageSize::Point, QString(), QPageSize::ExactMatch));
    {
        PainterCanvas canvas(pdf, CanvasEdges::Smooth);
        draw(canvas);
    }
    return file.isOpen();
}

}  // namespace

bool WritePicture(QIODevice& file, const PictureSpec& picture,
                  const std::function<void(Canvas&)>& draw) {
    switch (picture.format) {
        case PictureFormat::Svg:
            return WriteSvg(file, picture, draw);
        case PictureFormat::Pdf:
            return WritePdf(file, picture, draw);
        case PictureFormat::Png:
            break;
    }
    return WritePng(file, picture, draw);
}
