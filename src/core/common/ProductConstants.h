#pragma once

#include <QString>

// The product's identity, working folders and web addresses. The folder constants are
// always appended to QDir::homePath() at the time of use.
inline const QString g_organization = QStringLiteral("Tarvello");
inline const QString g_product_name = QStringLiteral("Tarvello Docquill");
inline const QString g_version = QStringLiteral("7.0.0");
inline const QString g_product_id = QStringLiteral("10003");

inline const QString g_configDirPath =
    QStringLiteral("/Library/Application Support/Tarvello/Docquill/Config/");
inline const QString g_logDirPath = QStringLiteral("/Library/Application Support/Tarvello/Docquill/Log/");
inline const QString g_tempDirPath = QStringLiteral("/Library/Application Support/Tarvello/Docquill/Temp/");
inline const QString g_downloadDirPath =
    QStringLiteral("/Library/Application Support/Tarvello/Docquill/download/");

// No real servers exist for these: the hosts live under the reserved .example domain.
inline const QString g_link_guide =
    QStringLiteral("https://www.tarvello.example/tarvello-docquill-user-guide.html");
inline const QString g_link_product = QStringLiteral("https://www.tarvello.example/docquill.html");
inline const QString g_link_support = QStringLiteral("https://www.tarvello.example/support.html");
inline const QString& g_link_faq = g_link_support;
inline const QString g_link_download =
    QStringLiteral("https://download.tarvello.example/tarvello-docquill.dmg");
inline const QString g_interface_check_update =
    QStringLiteral("https://api.tarvello.example/API/update_information/");
inline const QString baseOcrDownloadUrl =
    QStringLiteral("https://download.tarvello.example/ocr-models-mac-v2.zip");

// Digests of the shipped OCR model ("documentai.model") and of its package; the build
// computes them from what it ships.
extern const QString baseOcrMd5;
extern const QString baseOcrInstallPackMd5;

inline const QString irisExeMd5;
inline const QString irisInstallPackMd5;
inline const QString cadModuleMd5;
inline const QString cadInstallPackMd5;
inline const QString irisDownloadUrl;
inline const QString cadModuleDownloadUrl;
inline const QString html2PdfMd5;
inline const QString html2pdfPackageMd5;
inline const QString html2pdfDownloadUrl;
