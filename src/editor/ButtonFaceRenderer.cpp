#include "editor/ButtonFaceRenderer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <optional>
#include <span>

#include "codecs/ScaledPictureFile.h"
#include "raster/Planes.h"
#include "raster/Stretch.h"
#include "raster/WholeScale.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

struct Area {
  int left = 0, top = 0, width = 1, height = 1;
};

// Fits one rectangle into a width x height picture (see the header).
Area FitArea(int left, int top, int width, int height, int pictureWidth, int pictureHeight) {
  auto fitStart = [](int64_t start, int64_t size) { return start < size ? start : size - 1; };
  auto fitLength = [](int64_t start, int64_t length, int64_t size) {
    int64_t fitted = start + length - 1 < size ? length : size - start - 1;
    return fitted < 1 ? int64_t(1) : fitted;
  };
  const int64_t x = fitStart(left, pictureWidth), y = fitStart(top, pictureHeight);
  // Negative starts can leave lengths beyond int; such a rectangle is refused later.
  auto clampInt = [](int64_t v) { return int(v > INT32_MAX ? INT32_MAX : v); };
  return {int(x), int(y), clampInt(fitLength(x, width, pictureWidth)),
          clampInt(fitLength(y, height, pictureHeight))};
}

// True when a plane of the area may be made: no side past the stretch limit,
// and some of it inside the picture.
bool Drawable(const Area& a, int pictureWidth, int pictureHeight) {
  if (a.width > kMaxStretchSide || a.height > kMaxStretchSide) return false;
  if (size_t(a.width) * size_t(a.height) > kMaxStretchPixels) return false;
  return int64_t(a.left) + a.width > 0 && int64_t(a.top) + a.height > 0 && a.left < pictureWidth &&
         a.top < pictureHeight;
}

// v * factor / 255, rounded to nearest, for every byte v.
std::array<uint8_t, 256> ScaleTable(unsigned factor) {
  std::array<uint8_t, 256> table{};
  for (unsigned v = 0; v < 256; ++v) table[v] = uint8_t((v * factor + 127) / 255);
  return table;
}

// ((255 - v) * dark + v * light) / 255, rounded to nearest, for every v.
std::array<uint8_t, 256> TintTable(unsigned dark, unsigned light) {
  std::array<uint8_t, 256> table{};
  for (unsigned v = 0; v < 256; ++v) table[v] = uint8_t(((255 - v) * dark + v * light + 127) / 255);
  return table;
}

// The scaled icon as planes, faded and tinted.
Planes PrepareIcon(const Bitmap& picture, const FaceParams& p) {
  Planes icon = SplitBitmap(picture);
  if (p.iconAlpha != 255) {
    const auto fade = ScaleTable(p.iconAlpha);
    for (uint8_t& a : std::span(icon.alpha.data(), icon.alpha.byteCount())) a = fade[a];
  }
  if (p.effect == 1) {
    const std::array<std::array<uint8_t, 256>, 3> tint = {TintTable(p.tintDark.r, p.tintLight.r),
                                                          TintTable(p.tintDark.g, p.tintLight.g),
                                                          TintTable(p.tintDark.b, p.tintLight.b)};
    uint8_t* c = icon.color.data();
    for (size_t i = 0, n = icon.color.byteCount(); i < n; i += 3) {
      const uint8_t v = std::max({c[i], c[i + 1], c[i + 2]});
      c[i] = tint[0][v], c[i + 1] = tint[1][v], c[i + 2] = tint[2][v];
    }
  }
  return icon;
}

// The caption's planes: the smoothed ink in the font colour over black, and
// TextAlpha on the glyph pixels (ink coverage of at least half), 0 elsewhere.
Planes PrepareCaption(AlphaPlane coverage, const FaceParams& p) {
  Planes caption{*ColorPlane::Create(coverage.width(), coverage.height()), std::move(coverage)};
  const auto red = ScaleTable(p.fontColour.r), green = ScaleTable(p.fontColour.g),
             blue = ScaleTable(p.fontColour.b);
  uint8_t* c = caption.color.data();
  uint8_t* a = caption.alpha.data();
  for (size_t i = 0, n = caption.alpha.byteCount(); i < n; ++i, c += 3) {
    c[0] = red[a[i]], c[1] = green[a[i]], c[2] = blue[a[i]];
    a[i] = a[i] >= 128 ? p.textAlpha : 0;
  }
  return caption;
}

}  // namespace

std::optional<Bitmap> ButtonFaceRenderer::Scaled(Bitmap picture, int width, int height) const {
  if (picture.empty() || (picture.width() == width && picture.height() == height)) return picture;
  if (lastScaled_.width() == width && lastScaled_.height() == height && picture == lastSource_)
    return lastScaled_;
  lastSource_ = picture;
  lastScaled_ = {};
  // Each channel is filtered on its own: the alpha plane as grey, like colour.
  if (!StretchBitmapToSize(picture, width, height)) return std::nullopt;
  lastScaled_ = picture;
  return picture;
}

Result<Bitmap> ButtonFaceRenderer::RenderButtonFace(const std::string& templatePath,
                                                    const std::string& iconSourcePath,
                                                    const FaceParams& params,
                                                    const std::string& caption, int scale) const {
  if (templatePath.empty()) return Error{ErrorKind::kEmpty, "no template picture"};
  const int s = std::clamp(scale, 1, kMaxScale);
  Result<Bitmap> loaded = LoadPictureAtScale(PathFromUtf8(templatePath), s);
  if (!loaded.ok())
    return Error{loaded.error().kind, "cannot read the template picture: " + loaded.error().message,
                 loaded.error().systemCode};
  const Bitmap& templ = *loaded;
  const int w = templ.width(), h = templ.height();
  // Template pixels to scaled pixels, kept within int.
  auto up = [s](int v) { return int(std::clamp<int64_t>(int64_t(v) * s, INT32_MIN, INT32_MAX)); };
  try {
    const Area iconArea = FitArea(up(params.iconLeft), up(params.iconTop), up(params.iconWidth),
                                  up(params.iconHeight), w, h);
    const Area textArea = FitArea(up(params.textLeft), up(params.textTop), up(params.textWidth),
                                  up(params.textHeight), w, h);
    Planes face = SplitBitmap(templ);
    Planes icon;
    if (Drawable(iconArea, w, h)) {
      std::optional<Bitmap> scaled =
          Scaled(icons_.LoadIconPlane(iconSourcePath, IconLoader::kIconSize * s), iconArea.width,
                 iconArea.height);
      if (!scaled) return templ;
      icon = PrepareIcon(*scaled, params);
    }
    Planes text;
    if (!caption.empty() && Drawable(textArea, w, h)) {
      CaptionFont font{params.fontName, params.fontSize, params.bold, params.italic, s};
      AlphaPlane coverage = captions_.DrawCaption(caption, font, textArea.width, textArea.height);
      if (coverage.width() != textArea.width || coverage.height() != textArea.height) return templ;
      text = PrepareCaption(std::move(coverage), params);
    }
    // Icon before caption; the alpha merges after both colour blends.
    BlendPlanes(face.color, icon.color, icon.alpha, iconArea.left, iconArea.top);
    BlendPlanes(face.color, text.color, text.alpha, textArea.left, textArea.top);
    if (params.mergeIconAlpha) MergeAlpha(face.alpha, icon.alpha, iconArea.left, iconArea.top);
    MergeAlpha(face.alpha, text.alpha, textArea.left, textArea.top);
    std::optional<Bitmap> result = JoinPlanes(face.color, face.alpha);
    return result ? std::move(*result) : templ;
  } catch (const std::bad_alloc&) {
    return templ;
  }
}

}  // namespace moravel
