#include "model/SKTSignature.h"

#include "model/GraphicPainting.h"
#include "model/PicturePath.h"
#include "model/ResourcePictures.h"

#include <QPainter>

SKTSignature::SKTSignature() = default;

SKTSignature::SKTSignature(const GraphicDefaults& defaults) : SKTGraphic(defaults)
{
}

SKTSignature::~SKTSignature() = default;

GraphicPtr SKTSignature::deepCopy() const
{
    auto copy = std::make_shared<SKTSignature>(*this);
    detachedCopy(copy);
    // A file the object would read at its next drawing is read now, so the
    // copy draws without reading files.
    if (!copy->file_path || *copy->file_path != copy->_file_path)
        copy->setFilePath(copy->_file_path);
    return copy;
}

QString SKTSignature::samplePath(const QString& sign_or_FP)
{
    return ResourcePictures::path(sign_or_FP == SignatureCode::Signature ? ResourcePictures::signatureSampleName
                                                                         : ResourcePictures::fingerprintSampleName);
}

void SKTSignature::placeCentredOn(const QPointF& point)
{
    const QSizeF size = _contents_img.isNull() ? QSizeF(0, 0) : _contents_img.size();
    setBounds(QRectF(point.x() - size.width() / 2, point.y() - size.height() / 2, size.width(), size.height()));
}

void SKTSignature::initWithPosition(const QPointF& point, const Picture& contents, const QString& sign_or_FP)
{
    _contents_img = contents;
    file_path = samplePath(sign_or_FP);
    Set_Control_File_path(*file_path);
    Set_Sign_Or_FP(sign_or_FP);
    placeCentredOn(point);
}

void SKTSignature::initWithPath(const QPointF& point, const QString& path, const QString& sign_or_FP)
{
    Set_Sign_Or_FP(sign_or_FP);
    setFilePath(path);
    placeCentredOn(point);
}

void SKTSignature::setFilePath(const QString& path)
{
    const QString chosen = path == defaultPathName ? samplePath(Sign_Or_FP_Val()) : path;
    file_path = chosen;
    Set_Control_File_path(chosen);
    _contents_img = Picture::fromFile(PicturePath::standardized(chosen));
}

void SKTSignature::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    (void)isBeingCreateOrEdited;
    if (!ctrl_is_visible)
        return;
    if (!file_path || *file_path != _file_path)
        setFilePath(_file_path);
    if (isDrawingStroke())
        GraphicPainting::strokeBounds(painter, *this);
    if (_contents_img.isNull())
        return;
    m_drawn.draw(painter, bounds(), _contents_img.image(), true);
}
