#include "output/PdfJoiner.h"

#include <QIODevice>

// qpdf's own pointers are std::shared_ptr throughout
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// The writer's many small writes gathered into large ones on the device.
class DevicePipeline : public Pipeline
{
public:
    explicit DevicePipeline(QIODevice& device) : Pipeline("output device", nullptr), m_device(device)
    {
        m_buffer.reserve(bufferSize);
    }

    void write(unsigned char const* data, size_t length) override
    {
        if (m_buffer.size() + length > bufferSize)
            flush();
        if (length >= bufferSize)
            put(reinterpret_cast<const char*>(data), length);
        else
            m_buffer.insert(m_buffer.end(), data, data + length);
    }

    void finish() override { flush(); }

private:
    static constexpr size_t bufferSize = 1 << 20;

    void flush()
    {
        put(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }

    void put(const char* data, size_t length)
    {
        if (length > 0 && m_device.write(data, qint64(length)) != qint64(length))
            throw std::runtime_error(m_device.errorString().toStdString());
    }

    QIODevice& m_device;
    std::vector<char> m_buffer;
};

}

bool PdfJoiner::join(const QStringList& files, QIODevice& out, QString* error, int* pages)
{
    if (files.isEmpty()) {
        if (error)
            *error = QStringLiteral("There is no PDF file to join.");
        return false;
    }
    try {
        // every file stays open until the result is written: the pages'
        // streams are read from them then
        std::vector<std::unique_ptr<QPDF>> inputs;
        for (const QString& file : files) {
            inputs.push_back(std::make_unique<QPDF>());
            inputs.back()->setSuppressWarnings(true);
            inputs.back()->processFile(file.toLocal8Bit().constData());
        }
        QPDF& joined = *inputs.front();
        QPDFPageDocumentHelper joinedPages(joined);
        for (size_t i = 1; i < inputs.size(); ++i)
            for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*inputs[i]).getAllPages())
                joinedPages.addPage(page, false);

        DevicePipeline pipeline(out);
        QPDFWriter writer(joined);
        writer.setOutputPipeline(&pipeline);
        // the streams as the writers compressed them
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setCompressStreams(false);
        writer.write();
        pipeline.finish();
        if (pages)
            *pages = int(joinedPages.getAllPages().size());
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromLocal8Bit(e.what());
        return false;
    }
    return true;
}
