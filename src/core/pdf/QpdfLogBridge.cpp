#include "pdf/QpdfLogBridge.h"

#include <QString>
#include <QtDebug>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDFLogger.hh>

#include <memory>
#include <mutex>
#include <string>

namespace {

// Collects bytes and logs one message per line; qpdf writes a message in several pieces.
class LogPipeline : public Pipeline
{
public:
    LogPipeline(char const* identifier, QtMsgType type) : Pipeline(identifier, nullptr), m_type(type) {}

    void write(unsigned char const* data, size_t len) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_buffer.append(reinterpret_cast<char const*>(data), len);
        std::size_t newline;
        while ((newline = m_buffer.find('\n')) != std::string::npos) {
            emitLine(m_buffer.substr(0, newline));
            m_buffer.erase(0, newline + 1);
        }
    }

    void finish() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_buffer.empty())
            emitLine(m_buffer);
        m_buffer.clear();
    }

private:
    void emitLine(std::string const& line) const
    {
        if (line.empty())
            return;
        QString text = QString::fromStdString(line);
        if (m_type == QtInfoMsg)
            qInfo().noquote() << "qpdf:" << text;
        else if (m_type == QtCriticalMsg)
            qCritical().noquote() << "qpdf:" << text;
        else
            qWarning().noquote() << "qpdf:" << text;
    }

    QtMsgType m_type;
    std::mutex m_mutex;
    std::string m_buffer;
};

} // namespace

void QpdfLogBridge::install()
{
    static std::once_flag once;
    std::call_once(once, [] {
        auto logger = QPDFLogger::defaultLogger();
        logger->setInfo(std::make_shared<LogPipeline>("qpdf info", QtInfoMsg));
        logger->setWarn(std::make_shared<LogPipeline>("qpdf warning", QtWarningMsg));
        logger->setError(std::make_shared<LogPipeline>("qpdf error", QtCriticalMsg));
    });
}
