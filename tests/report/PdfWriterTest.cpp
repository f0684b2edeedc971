#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "report/PdfReportExporter.h"
#include "support/ExpectError.h"
#include "support/TempFolder.h"

namespace quelmora {
namespace {

// Offsets where "n 0 obj" lines start, by object number.
std::vector<size_t> ObjectOffsets(const std::string& pdf, size_t objects) {
  std::vector<size_t> offsets(objects + 1, 0);
  for (size_t n = 1; n <= objects; ++n) {
    const std::string head = std::to_string(n) + " 0 obj\n";
    const size_t at = pdf.find("\n" + head);
    offsets[n] = at == std::string::npos ? 0 : at + 1;
  }
  return offsets;
}

// The cross-reference entries 1.. as offsets; checks the table's own form.
std::vector<size_t> XrefOffsets(const std::string& pdf, size_t objects) {
  std::vector<size_t> offsets(objects + 1, 0);
  const size_t xref = pdf.rfind("\nxref\n") + 1;
  EXPECT_GT(xref, 0u);
  const std::string head = "xref\n0 " + std::to_string(objects + 1) + "\n0000000000 65535 f \n";
  EXPECT_EQ(pdf.compare(xref, head.size(), head), 0);
  size_t at = xref + head.size();
  for (size_t n = 1; n <= objects; ++n, at += 20) {
    EXPECT_EQ(pdf.substr(at + 10, 10), " 00000 n \n");
    offsets[n] = std::stoul(pdf.substr(at, 10));
  }
  EXPECT_EQ(pdf.compare(at, 8, "trailer\n"), 0);
  return offsets;
}

TEST(PdfDocumentTest, OnePageIsWrittenByteForByte) {
  const std::string pdf = BuildPdfDocument({"JPEG"});
  const std::string body =
      "%PDF-1.4\n%QUELMORA\n"
      "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
      "2 0 obj\n<< /Type /Pages /Count 1 /Kids [3 0 R ] >>\nendobj\n"
      "3 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /XObject << "
      "/Im0 4 0 R >> >> /Contents 5 0 R >>\nendobj\n"
      "4 0 obj\n<< /Type /XObject /Subtype /Image /Width 1240 /Height 1754 /ColorSpace /DeviceRGB "
      "/BitsPerComponent 8 /Filter /DCTDecode /Length 4 >>\nstream\nJPEG\nendstream\nendobj\n"
      "5 0 obj\n<< /Length 31 >>\nstream\nq 595 0 0 842 0 0 cm /Im0 Do Q\nendstream\nendobj\n";
  const size_t o3 = 68 + 58;
  const size_t o4 = o3 + 130;
  const size_t o5 = o4 + 171;
  const auto entry = [](size_t offset) {
    std::string digits = std::to_string(offset);
    return std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
  };
  const std::string expected = body + "xref\n0 6\n0000000000 65535 f \n" + entry(19) + entry(68) +
                               entry(o3) + entry(o4) + entry(o5) +
                               "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" +
                               std::to_string(body.size()) + "\n%%EOF\n";
  EXPECT_EQ(pdf, expected);
}

TEST(PdfDocumentTest, OffsetsMatchTheCrossReferenceTable) {
  for (size_t pages : {1u, 2u, 5u}) {
    std::vector<std::string> images;
    for (size_t k = 0; k < pages; ++k)
      images.push_back(std::string("\xFF\xD8 endstream 0 obj\n\0\xFF\xD9", 22) +
                       std::string(k, 'x'));
    const std::string pdf = BuildPdfDocument(images);
    const size_t objects = 3 * pages + 2;
    EXPECT_EQ(XrefOffsets(pdf, objects), ObjectOffsets(pdf, objects)) << pages;
    EXPECT_EQ(ObjectOffsets(pdf, objects)[1], 19u);
    EXPECT_EQ(ObjectOffsets(pdf, objects)[2], 68u);
    // startxref names the offset of the "xref" line.
    const std::string trailer = "trailer\n<< /Size " + std::to_string(objects + 1) +
                                " /Root 1 0 R >>\nstartxref\n" +
                                std::to_string(pdf.rfind("\nxref\n") + 1) + "\n%%EOF\n";
    EXPECT_EQ(pdf.substr(pdf.rfind("trailer\n")), trailer);
    for (size_t k = 0; k < pages; ++k) {
      const std::string stream = "/Length " + std::to_string(images[k].size()) + " >>\nstream\n" +
                                 images[k] + "\nendstream\n";
      EXPECT_NE(pdf.find(stream), std::string::npos);
    }
  }
}

TEST(PdfDocumentTest, AnEmptyListStillMakesAWellFormedFile) {
  const std::string pdf = BuildPdfDocument({});
  EXPECT_EQ(pdf,
            "%PDF-1.4\n%QUELMORA\n"
            "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
            "2 0 obj\n<< /Type /Pages /Count 0 /Kids [] >>\nendobj\n"
            "xref\n0 3\n0000000000 65535 f \n0000000019 00000 n \n0000000068 00000 n \n"
            "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n120\n%%EOF\n");
}

TEST(PdfDocumentTest, WritingReplacesTheFileOrRaises) {
  testing::TTempFolder folder;
  const std::string file = folder.File("report.pdf");
  testing::WriteBytes(file, "old content that is longer than the new document ............");
  WritePdfDocument(file, {});
  EXPECT_EQ(testing::ReadBytes(file), BuildPdfDocument({}));
  EXPECT_EQ(folder.Listing(), "report.pdf;");
  EXPECT_FILE_ERROR(WritePdfDocument(folder.File("missing/report.pdf"), {}));
}

// Marker segments of a JPEG file up to the first scan.
struct TSegment {
  unsigned char Marker;
  std::string Data;
};

std::vector<TSegment> Segments(const std::string& jpeg) {
  std::vector<TSegment> segments;
  size_t at = 2;
  while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
    const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
    const size_t length =
        (static_cast<unsigned char>(jpeg[at + 2]) << 8) | static_cast<unsigned char>(jpeg[at + 3]);
    segments.push_back({marker, jpeg.substr(at + 4, length - 2)});
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return segments;
}

TEST(EncodePageJpegTest, ProgressiveColourJpegAtQualityNinety) {
  QImage page(1240, 1754, QImage::Format_RGB888);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    painter.fillRect(0, 0, 1240, 145, QColor(0x22, 0x34, 0x49));
    painter.fillRect(100, 400, 300, 300, QColor(0xFF, 0xC2, 0x74));
  }
  const std::string jpeg = EncodePageJpeg(page);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");

  bool progressive = false, baseline = false, quantised = false;
  for (const TSegment& s : Segments(jpeg)) {
    if (s.Marker == 0xC2) {
      progressive = true;
      EXPECT_EQ(static_cast<unsigned char>(s.Data[5]), 3);  // components: colour
    }
    if (s.Marker == 0xC0) baseline = true;
    // Luminance table 0: the standard table scaled for quality 90 starts 16 -> 3.
    if (s.Marker == 0xDB && s.Data[0] == 0) quantised = static_cast<unsigned char>(s.Data[1]) == 3;
  }
  EXPECT_TRUE(progressive);
  EXPECT_FALSE(baseline);
  EXPECT_TRUE(quantised);

  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(reinterpret_cast<const uchar*>(jpeg.data()),
                                   static_cast<int>(jpeg.size()), "JPEG"));
  EXPECT_EQ(decoded.size(), QSize(1240, 1754));
  EXPECT_FALSE(decoded.isGrayscale());
  const QColor orange = decoded.pixelColor(250, 550);
  EXPECT_NEAR(orange.red(), 0xFF, 6);
  EXPECT_NEAR(orange.green(), 0xC2, 6);
  EXPECT_NEAR(orange.blue(), 0x74, 6);
}

}  // namespace
}  // namespace quelmora
