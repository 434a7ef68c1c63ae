#pragma once

#include "model/ImageAdjustments.h"
#include "model/ImageProcesser.h"
#include "platform/Picture.h"

#include <QSizeF>
#include <functional>

// The adjusted picture of one picture object, kept between draws: the
// adjustment chain runs again only when the source picture or the settings
// change. Failures of the chain are logged each time it runs, and shown to
// the user once per source picture, after the drawing (never from inside
// it). When the chain gives no picture, the unadjusted source is used.
//
// A copy keeps the adjusted picture, shared read-only (pictures never
// change once made): the copies a batch makes of an object, one per record,
// adjust its picture again only when a record gives them another picture or
// they are set otherwise.
class AdjustedPictureCache
{
public:
    using Chain = std::function<Picture(const Picture&, const ImageAdjustments&, ImageProcesser::Failures*)>;
    using Reporter = std::function<void(const QString& text)>;

    // The picture to draw for `source` with `settings`; null only when the
    // source is null.
    Picture adjusted(const Picture& source, const ImageAdjustments& settings);
    void clear();
    // Whether the picture for `source` with `settings` is kept.
    bool holds(const Picture& source, const ImageAdjustments& settings) const;

    // The text shown for a run's failures: each failed step's name (the grey
    // scale step's reason first); empty when only the chain itself failed,
    // which is logged but not shown.
    static QString messageFor(const ImageProcesser::Failures& failures);

    // Seams for tests: the chain that is run (ImageProcesser's by default)
    // and what shows a report (a box once the event loop runs, by default).
    // An empty function restores the default.
    static void setChain(Chain chain);
    static void setReporter(Reporter reporter);

private:
    bool m_valid = false;
    qint64 m_sourceKey = 0;
    QSizeF m_sourceSize;
    ImageAdjustments m_settings;
    Picture m_result;
    // The source picture whose failures the user has been told about.
    bool m_hasReported = false;
    qint64 m_reportedKey = 0;
};
