#include "report/PdfReportExporter.h"

#include <QDateTime>
#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

#include "io/Utf8File.h"
#include "l10n/Localization.h"
#include "model/Errors.h"
#include "report/QtSurface.h"
#include "report/ReportTexts.h"

namespace quelmora {

namespace {

struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* error = reinterpret_cast<TJpegError*>(info->err);
  (*info->err->format_message)(info, error->Message);
  std::longjmp(error->Jump, 1);
}

// Encodes RGB rows; returns false with Message set when libjpeg fails. Kept
// free of C++ objects with destructors, as libjpeg leaves it by longjmp.
bool EncodeRgb(const unsigned char* pixels, int width, int height, qsizetype stride,
               unsigned char** output, unsigned long* size, char* message) {
  jpeg_compress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = OnJpegError;
  if (setjmp(error.Jump)) {
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", error.Message);
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, output, size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels + stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

void Append(std::string& out, uint64_t n) {
  out += std::to_string(n);
}

}  // namespace

std::string EncodePageJpeg(const QImage& Bitmap) {
  const QImage rgb = Bitmap.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) throw Exception(TErrorKind::Internal, "Cannot encode an empty page");
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX] = {};
  const bool ok = EncodeRgb(rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(), &buffer,
                            &size, message);
  std::string jpeg;
  if (ok && buffer) jpeg.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  if (!ok) throw Exception(TErrorKind::General, "JPEG encoding failed: %s", {message});
  return jpeg;
}

std::string BuildPdfDocument(const TPdfPages& Pages) {
  const uint64_t n = Pages.size();
  const uint64_t objects = 3 * n + 2;
  std::vector<uint64_t> offsets(objects + 1, 0);
  std::string out;
  const auto begin = [&](uint64_t number) {
    offsets[number] = out.size();
    Append(out, number);
    out += " 0 obj\n";
  };
  const auto end = [&] { out += "endobj\n"; };

  out += "%PDF-1.4\n%QUELMORA\n";
  begin(1);
  out += "<< /Type /Catalog /Pages 2 0 R >>\n";
  end();
  begin(2);
  out += "<< /Type /Pages /Count ";
  Append(out, n);
  out += " /Kids [";
  for (uint64_t k = 0; k < n; ++k) {
    Append(out, 3 * k + 3);
    out += " 0 R ";
  }
  out += "] >>\n";
  end();

  static constexpr std::string_view content = "q 595 0 0 842 0 0 cm /Im0 Do Q\n";
  for (uint64_t k = 0; k < n; ++k) {
    const uint64_t page = 3 * k + 3, image = page + 1, contents = page + 2;
    begin(page);
    out += "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /XObject << /Im0 ";
    Append(out, image);
    out += " 0 R >> >> /Contents ";
    Append(out, contents);
    out += " 0 R >>\n";
    end();

    begin(image);
    out += "<< /Type /XObject /Subtype /Image /Width ";
    Append(out, ReportPageWidth);
    out += " /Height ";
    Append(out, ReportPageHeight);
    out += " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode /Length ";
    Append(out, Pages[k].size());
    out += " >>\nstream\n";
    out += Pages[k];
    out += "\nendstream\n";
    end();

    begin(contents);
    out += "<< /Length ";
    Append(out, content.size());
    out += " >>\nstream\n";
    out += content;
    out += "endstream\n";
    end();
  }

  const uint64_t xref = out.size();
  out += "xref\n0 ";
  Append(out, objects + 1);
  out += "\n0000000000 65535 f \n";
  for (uint64_t i = 1; i <= objects; ++i) {
    std::string offset = std::to_string(offsets[i]);
    if (offset.size() < 10) offset.insert(0, 10 - offset.size(), '0');
    out += offset;
    out += " 00000 n \n";
  }
  out += "trailer\n<< /Size ";
  Append(out, objects + 1);
  out += " /Root 1 0 R >>\nstartxref\n";
  Append(out, xref);
  out += "\n%%EOF\n";
  return out;
}

void WritePdfDocument(const std::string& FileName, const TPdfPages& Pages) {
  WriteFileReplacing(FileName, BuildPdfDocument(Pages));
}

TReportOptions ReportOptionsFor(const TLanguageConventions& Conventions, const QDateTime& Time) {
  TReportOptions options;
  options.Numbers.DecimalSeparator =
      Conventions.DecimalSeparator.empty() ? "." : Conventions.DecimalSeparator;
  options.Timestamp =
      Time.toString(QString::fromStdString(Conventions.DateTimeFormat)).toStdString();
  return options;
}

TReportOptions UserReportOptions() {
  return ReportOptionsFor(LanguageConventions(), QDateTime::currentDateTime());
}

void ExportPdfReport(const std::string& FileName, const TProjectData& Project,
                     const TOptimizationResult& Result) {
  ExportPdfReport(FileName, Project, Result, UserReportOptions());
}

void ExportPdfReport(const std::string& FileName, const TProjectData& Project,
                     const TOptimizationResult& Result, const TReportOptions& Options) {
  if (Result.Solutions.empty()) throw Exception(TErrorKind::InvalidInput, RNoResults);
  const std::vector<size_t> order = ReportOrder(Project, Result);

  // One bitmap for every page; each page is compressed as soon as it is drawn.
  QImage page(ReportPageWidth, ReportPageHeight, QImage::Format_RGB888);
  page.setDotsPerMeterX(3780);
  page.setDotsPerMeterY(3780);
  TPdfPages pages;
  pages.reserve(order.size() + 1);
  if (Options.BeforePage) Options.BeforePage();
  {
    TQtSurface surface(page);
    RenderSummaryPage(surface, Project, Result, order, Options);
  }
  pages.push_back(EncodePageJpeg(page));
  for (size_t k = 0; k < order.size(); ++k) {
    if (Options.BeforePage) Options.BeforePage();
    {
      TQtSurface surface(page);
      RenderProductPage(surface, Project, Result.Solutions[order[k]], static_cast<int>(k + 2),
                        Options);
    }
    pages.push_back(EncodePageJpeg(page));
  }
  WritePdfDocument(FileName, pages);
}

}  // namespace quelmora
