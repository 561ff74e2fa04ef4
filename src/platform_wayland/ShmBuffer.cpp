#include "platform_wayland/ShmBuffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstring>

namespace moravel {

Result<std::unique_ptr<ShmBuffer>> ShmBuffer::Create(wl_shm* shm, int width, int height) {
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
    return Error{ErrorKind::kTooLarge, "a surface buffer of this size cannot be made"};
  const size_t bytes = size_t(width) * size_t(height) * 4;
  if (bytes > size_t(INT32_MAX))
    return Error{ErrorKind::kTooLarge, "the surface buffer is too large"};
  const int fd = memfd_create("moravel-desktop", MFD_CLOEXEC);
  if (fd < 0) return Error::FromErrno(errno, "memfd_create");
  if (ftruncate(fd, off_t(bytes)) < 0) {
    const int e = errno;
    close(fd);
    return Error::FromErrno(e, "sizing the surface buffer");
  }
  void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) {
    const int e = errno;
    close(fd);
    return Error::FromErrno(e, "mapping the surface buffer");
  }
  std::unique_ptr<ShmBuffer> buffer(new ShmBuffer());
  buffer->pixels_ = static_cast<uint8_t*>(memory);
  buffer->bytes_ = bytes;
  buffer->width_ = width;
  buffer->height_ = height;
  // The compositor keeps its own handle of the pool; the buffer keeps the pool.
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, int32_t(bytes));
  buffer->buffer_ =
      wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_ARGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  static const wl_buffer_listener kListener = {&ShmBuffer::Released};
  wl_buffer_add_listener(buffer->buffer_, &kListener, buffer.get());
  return buffer;
}

ShmBuffer::~ShmBuffer() {
  if (buffer_) wl_buffer_destroy(buffer_);
  if (pixels_) munmap(pixels_, bytes_);
}

void ShmBuffer::Released(void* data, wl_buffer*) {
  auto* self = static_cast<ShmBuffer*>(data);
  self->busy_ = false;
  if (self->released_) self->released_();
}

void ShmBuffer::CopyFrom(ShmBuffer& from, Rect area) {
  const Rect r =
      Intersect(Intersect(area, {0, 0, width_, height_}), {0, 0, from.width_, from.height_});
  for (int y = r.y; y < r.bottom(); ++y)
    std::memcpy(row(y) + size_t(r.x) * 4, from.row(y) + size_t(r.x) * 4, size_t(r.width) * 4);
}

}  // namespace moravel
