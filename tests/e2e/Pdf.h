#pragma once
// Reading the printed PDFs back with poppler-utils, which run as Linux
// programs started from the Wine process.

#include <map>
#include <set>
#include <string>
#include <vector>

// Runs a /bin/sh command line and returns what it wrote (stdout and stderr).
std::string RunShell(const std::string& command);

// The folder the test printer writes into (GLYPHORA_PDF_DIR, a Unix path).
std::string PdfFolder();
// The PDF files there now (names only).
std::set<std::string> PdfFiles();
// Waits for a file not in `before` whose name starts with `prefix` to be
// complete (ends with "%%EOF"); its Unix path, or "" after a generous limit.
std::string WaitForNewPdf(const std::string& prefix, const std::set<std::string>& before);

struct TPdfWord {
    int page = 0;  // from 0
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points from the top-left corner
    std::string text;
};
std::vector<TPdfWord> PdfWords(const std::string& path);
// pdfinfo's fields ("Title", "Pages", ...).
std::map<std::string, std::string> PdfInfo(const std::string& path);
// pdffonts' font names without the subset prefix ("ABCDEF+").
std::set<std::string> PdfFonts(const std::string& path);
