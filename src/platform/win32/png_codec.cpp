// PNG through the Windows Imaging Component. COM is started on the thread
// that first needs it (the user-interface thread) and the factory kept;
// every interface is let go by its owner.
#include <initguid.h>
#include <objidl.h>
#include <wincodec.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "base/error.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/services.h"

namespace win32 {

namespace {

[[noreturn]] void bad() { throw base::Error(sys::kBadPng); }

// A COM interface, released when its owner goes.
template <class T>
class Com {
 public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p_) p_->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** put() {
    if (p_) p_->Release();
    p_ = nullptr;
    return &p_;
  }

 private:
  T* p_ = nullptr;
};

// A failure of the codec's own machinery (not of the file): memory, or
// something the program did not foresee.
[[noreturn]] void failed(HRESULT hr) {
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  throw base::Error(base::kUnexpectedError);
}

// Rows copied a band at a time: a few MiB, not a second copy of the picture.
int bandRows(int width, int bytesPerPixel) {
  const long long row = static_cast<long long>(width) * bytesPerPixel;
  return static_cast<int>(std::max<long long>(1, (4ll << 20) / row));
}

}  // namespace

PngCodec::~PngCodec() {
  if (factory_) factory_->Release();
  if (comStarted_) stopCom();
}

IWICImagingFactory* PngCodec::factory() {
  if (factory_) return factory_;
  if (!comTried_) {
    comTried_ = true;
    HRESULT hr = startCom();
    comStarted_ = SUCCEEDED(hr);  // S_FALSE too: started before, counted once more
  }
  HRESULT hr =
      createComObject(CLSID_WICImagingFactory, IID_IWICImagingFactory, reinterpret_cast<void**>(&factory_));
  if (FAILED(hr)) {
    factory_ = nullptr;
    failed(hr);
  }
  return factory_;
}

picture::Bitmap PngCodec::decode(const std::vector<std::uint8_t>& bytes) {
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) bad();
  if (bytes.size() > 0xFFFFFFFFu) throw base::Error(base::kOutOfResources);
  // Before the decoder sees it: some decoders make room for the whole
  // picture as they open the file.
  sys::png::checkDeclaredSize(bytes);
  IWICImagingFactory* wic = factory();
  Com<IWICStream> stream;
  HRESULT hr = wic->CreateStream(stream.put());
  if (FAILED(hr)) failed(hr);
  hr = stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  if (FAILED(hr)) failed(hr);
  Com<IWICBitmapDecoder> decoder;
  hr = wic->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.put());
  if (FAILED(hr)) failed(hr);
  if (FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand))) bad();
  Com<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.put()))) bad();
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height))) bad();
  sys::png::checkSize(width, height, 24);
  Com<IWICFormatConverter> converter;
  hr = wic->CreateFormatConverter(converter.put());
  if (FAILED(hr)) failed(hr);
  if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom)))
    bad();

  const int w = static_cast<int>(width), h = static_cast<int>(height);
  picture::Bitmap out = picture::Bitmap::createUninitialized(w, h, 24);
  const int band = bandRows(w, 4);
  const UINT stride = width * 4;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(stride) *
                                   static_cast<std::size_t>(std::min(band, h)));
  for (int y = 0; y < h; y += band) {
    const int n = std::min(band, h - y);
    WICRect rect{0, y, w, n};
    hr =
        converter->CopyPixels(&rect, stride, static_cast<UINT>(stride * static_cast<UINT>(n)), buffer.data());
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    if (FAILED(hr)) bad();
    for (int i = 0; i < n; ++i)
      sys::png::flattenRow(buffer.data() + std::size_t{stride} * i, out.mutableRow(y + i), w);
  }
  return out;
}

std::vector<std::uint8_t> PngCodec::encode(const picture::Bitmap& b) {
  if (b.empty()) throw std::invalid_argument("empty bitmap");
  IWICImagingFactory* wic = factory();
  Com<IStream> memory;
  HRESULT hr = createMemoryStream(memory.put());
  if (FAILED(hr)) failed(hr);
  Com<IWICBitmapEncoder> encoder;
  hr = wic->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put());
  if (SUCCEEDED(hr)) hr = encoder->Initialize(memory.get(), WICBitmapEncoderNoCache);
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> options;
  if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.put(), options.put());
  if (SUCCEEDED(hr)) hr = frame->Initialize(options.get());
  if (SUCCEEDED(hr)) hr = frame->SetSize(static_cast<UINT>(b.width()), static_cast<UINT>(b.height()));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
  if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) hr = E_FAIL;
  if (FAILED(hr)) failed(hr);

  const int w = b.width(), h = b.height();
  const UINT stride = static_cast<UINT>(w) * 3;
  const int band = bandRows(w, 3);
  std::vector<std::uint8_t> buffer(std::size_t{stride} * static_cast<std::size_t>(std::min(band, h)));
  std::vector<std::uint8_t> row(stride);
  std::vector<std::uint32_t> scratch;
  for (int y = 0; y < h; y += band) {
    const int n = std::min(band, h - y);
    for (int i = 0; i < n; ++i) {
      const std::uint8_t* bgr = sys::png::bgrRow(b, y + i, row.data(), scratch);
      std::copy(bgr, bgr + stride, buffer.begin() + static_cast<std::ptrdiff_t>(std::size_t{stride} * i));
    }
    hr = frame->WritePixels(static_cast<UINT>(n), stride, stride * static_cast<UINT>(n), buffer.data());
    if (FAILED(hr)) failed(hr);
  }
  hr = frame->Commit();
  if (SUCCEEDED(hr)) hr = encoder->Commit();
  if (FAILED(hr)) failed(hr);

  ULARGE_INTEGER end{};
  hr = memory->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
  HGLOBAL global = nullptr;
  if (SUCCEEDED(hr)) hr = memoryOfStream(memory.get(), &global);
  if (FAILED(hr)) failed(hr);
  GlobalLockScope lock(global);
  if (!lock.get() || end.QuadPart > lock.size()) failed(E_FAIL);
  const auto* data = static_cast<const std::uint8_t*>(lock.get());
  return std::vector<std::uint8_t>(data, data + end.QuadPart);
}

}  // namespace win32
