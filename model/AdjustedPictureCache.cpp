#include "model/AdjustedPictureCache.h"

#include "app/DeferredMessageBox.h"
#include "app/MessageBoxes.h"

namespace {

const QString chainStep = QStringLiteral("Get_Processed_Image");
const QString grayScaleStep = QStringLiteral("GrayScale");

AdjustedPictureCache::Chain& chainSeam()
{
    static AdjustedPictureCache::Chain chain;
    return chain;
}

AdjustedPictureCache::Reporter& reporterSeam()
{
    static AdjustedPictureCache::Reporter reporter;
    return reporter;
}

}

void AdjustedPictureCache::setChain(Chain chain)
{
    chainSeam() = std::move(chain);
}

void AdjustedPictureCache::setReporter(Reporter reporter)
{
    reporterSeam() = std::move(reporter);
}

void AdjustedPictureCache::clear()
{
    m_valid = false;
    m_result = Picture();
}

QString AdjustedPictureCache::messageFor(const ImageProcesser::Failures& failures)
{
    QStringList lines;
    for (const ImageProcesser::StepFailure& failure : failures) {
        if (failure.step == chainStep)
            continue;
        if (failure.step == grayScaleStep && !failure.reason.isEmpty())
            lines.append(failure.reason);
        lines.append(failure.step);
    }
    return lines.join(QLatin1Char('\n'));
}

bool AdjustedPictureCache::holds(const Picture& source, const ImageAdjustments& settings) const
{
    return m_valid && !source.isNull() && source.image().cacheKey() == m_sourceKey && source.size() == m_sourceSize
           && settings == m_settings;
}

Picture AdjustedPictureCache::adjusted(const Picture& source, const ImageAdjustments& settings)
{
    if (source.isNull()) {
        clear();
        return {};
    }
    const qint64 key = source.image().cacheKey();
    if (holds(source, settings))
        return m_result;

    ImageProcesser::Failures failures;
    const Chain& chain = chainSeam();
    Picture result = chain ? chain(source, settings, &failures)
                           : ImageProcesser::Get_Processed_Image(source, settings, &failures);
    if (result.isNull()) {
        // Better the picture as it is than none at all.
        result = source;
        ImageProcesser::Set_Dimaension(result);
    }

    if (!failures.empty()) {
        for (const ImageProcesser::StepFailure& failure : failures)
            Show_NSLog_Message(failure.step + QStringLiteral(": ") + failure.reason);
        const QString message = messageFor(failures);
        if (!message.isEmpty() && !(m_hasReported && m_reportedKey == key)) {
            m_hasReported = true;
            m_reportedKey = key;
            if (const Reporter& reporter = reporterSeam())
                reporter(message);
            else
                showMessageBoxLater(message);
        }
    }

    m_valid = true;
    m_sourceKey = key;
    m_sourceSize = source.size();
    m_settings = settings;
    m_result = result;
    return m_result;
}
