#include "output/PdfJoiner.h"

#include <QIODevice>

// qpdf's own pointers are std::shared_ptr throughout
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
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

    // Why a write was refused; empty when none was.
    const QString& error() const { return m_error; }

private:
    static constexpr size_t bufferSize = 1 << 20;

    void flush()
    {
        put(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }

    // A refused write is kept, not thrown (a throw out of the writer's own
    // clean-up would end the program); what follows it is dropped.
    void put(const char* data, size_t length)
    {
        if (length > 0 && m_error.isEmpty() && m_device.write(data, qint64(length)) != qint64(length))
            m_error = m_device.errorString().isEmpty() ? QStringLiteral("The file could not be written.")
                                                       : m_device.errorString();
    }

    QIODevice& m_device;
    QString m_error;
    std::vector<char> m_buffer;
};

// Pictures by what they hold: the same picture written by several writers
// (a photo or caption on cards of every run) is one object in the result.
class PictureKeys
{
public:
    // The picture the document already has with the same content as
    // `image`, or `image` itself.
    QPDFObjectHandle kept(QPDFObjectHandle image)
    {
        const std::string& key = keyOf(image);
        const auto [first, last] = m_pictures.equal_range(key);
        for (auto it = first; it != last; ++it)
            if (it->second.getObjGen() == image.getObjGen() || sameContent(it->second, image))
                return it->second;
        m_pictures.emplace(key, image);
        return image;
    }

private:
    // The dictionary (streams in it by their own keys) and a hash of the
    // stored bytes.
    const std::string& keyOf(QPDFObjectHandle stream)
    {
        const QPDFObjGen id = stream.getObjGen();
        if (const auto known = m_keys.find(id); known != m_keys.end())
            return known->second;
        std::string key;
        QPDFObjectHandle dictionary = stream.getDict();
        for (const std::string& name : dictionary.getKeys()) {
            if (name == "/Length")
                continue;
            QPDFObjectHandle value = dictionary.getKey(name);
            key += name + ' ' + (value.isStream() ? '<' + keyOf(value) + '>' : value.unparse()) + ' ';
        }
        const std::shared_ptr<Buffer> data = stream.getRawStreamData();
        const std::string_view bytes(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        key += std::to_string(bytes.size()) + ':' + std::to_string(std::hash<std::string_view>()(bytes));
        return m_keys.emplace(id, std::move(key)).first->second;
    }

    static bool sameContent(QPDFObjectHandle a, QPDFObjectHandle b)
    {
        const std::shared_ptr<Buffer> x = a.getRawStreamData(), y = b.getRawStreamData();
        return x->getSize() == y->getSize()
            && std::string_view(reinterpret_cast<const char*>(x->getBuffer()), x->getSize())
            == std::string_view(reinterpret_cast<const char*>(y->getBuffer()), y->getSize());
    }

    std::map<QPDFObjGen, std::string> m_keys;
    std::unordered_multimap<std::string, QPDFObjectHandle> m_pictures;
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
        // each writer wrote the pictures its pages share once; so does the result
        PictureKeys pictures;
        for (QPDFPageObjectHelper& page : joinedPages.getAllPages()) {
            QPDFObjectHandle resources = page.getObjectHandle().getKey("/Resources");
            QPDFObjectHandle xobjects = resources.isDictionary() ? resources.getKey("/XObject") : resources;
            if (!xobjects.isDictionary())
                continue;
            for (const std::string& name : xobjects.getKeys()) {
                QPDFObjectHandle image = xobjects.getKey(name);
                if (!image.isStream() || !image.isIndirect())
                    continue;
                QPDFObjectHandle kept = pictures.kept(image);
                if (kept.getObjGen() != image.getObjGen())
                    xobjects.replaceKey(name, kept);
            }
        }

        DevicePipeline pipeline(out);
        QPDFWriter writer(joined);
        writer.setOutputPipeline(&pipeline);
        // the streams as the writers compressed them
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setCompressStreams(false);
        writer.write();
        pipeline.finish();
        if (!pipeline.error().isEmpty()) {
            if (error)
                *error = pipeline.error();
            return false;
        }
        if (pages)
            *pages = int(joinedPages.getAllPages().size());
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromLocal8Bit(e.what());
        return false;
    }
    return true;
}
