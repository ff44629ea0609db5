#include "drawing/pdf_drawing.h"

#ifdef HABITOPIA_WITH_PDF
#include <cairo-pdf.h>
#include <librsvg/rsvg.h>
#endif

namespace habitopia {

#ifdef HABITOPIA_WITH_PDF

namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool PdfAvailable() { return true; }

std::variant<std::string, PdfFailure> SvgToPdf(const std::string& svg, const std::string& title) {
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
  if (!handle) {
    PdfFailure failure{std::string("the drawing is no SVG librsvg reads: ") +
                       (error ? error->message : "")};
    if (error) g_error_free(error);
    return failure;
  }
  gdouble width = 0, height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height)) width = height = 600;
  const double pageWidth = width * kPointsPerPixel, pageHeight = height * kPointsPerPixel;

  std::string pdf;
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(Append, &pdf, pageWidth, pageHeight);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Habitopia");
  cairo_t* cr = cairo_create(surface);
  const RsvgRectangle page{0, 0, pageWidth, pageHeight};
  const bool drawn = rsvg_handle_render_document(handle, cr, &page, &error);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  if (!drawn || status != CAIRO_STATUS_SUCCESS) {
    PdfFailure failure{std::string("the PDF could not be drawn: ") +
                       (error ? error->message : cairo_status_to_string(status))};
    if (error) g_error_free(error);
    return failure;
  }
  return pdf;
}

#else

bool PdfAvailable() { return false; }

std::variant<std::string, PdfFailure> SvgToPdf(const std::string&, const std::string&) {
  return PdfFailure{"this build writes no PDF: it needs librsvg and cairo (librsvg2-dev)"};
}

#endif

}  // namespace habitopia
