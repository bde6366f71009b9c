#include "ui/window.h"

#include <algorithm>

#include "ui/controls.h"

namespace ui {

namespace {

// Stored sizes outside these bounds are ignored (a minimised or broken
// value must not make the window unusable).
constexpr int kMinStoredSize = 100;

}  // namespace

Window::Window(WindowSystem& system, std::string name, std::string caption, int client_width,
               int client_height)
    : system_(system), name_(std::move(name)), caption_(std::move(caption)) {
  SetClientSize(client_width, client_height);
}

Window::~Window() {
  if (realised_) system_.Unrealise(*this);
}

void Window::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Changed(Prop::kCaption);
}

int Window::FrameWidth() const {
  return border_ == BorderStyle::kNone ? 0 : 2 * system_.SystemMetric(Metric::kFrameWidth);
}

int Window::FrameHeight() const {
  return border_ == BorderStyle::kNone ? 0
                                       : 2 * system_.SystemMetric(Metric::kFrameHeight) +
                                             system_.SystemMetric(Metric::kCaptionHeight);
}

void Window::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  if (state_ == WindowState::kNormal) {
    restored_width_ = width;
    restored_height_ = height;
  }
  Changed(Prop::kBounds);
  if (OnResize) OnResize();
}

int Window::ClientWidth() const { return width_ - FrameWidth(); }
int Window::ClientHeight() const { return height_ - FrameHeight(); }

void Window::SetClientSize(int width, int height) {
  SetSize(width + FrameWidth(), height + FrameHeight());
}

void Window::SetPosition(int left, int top) {
  left_ = left;
  top_ = top;
  Changed(Prop::kBounds);
}

Control* Window::Find(std::string_view name) const {
  for (Control* c : controls_) {
    if (c->Name() == name) return c;
  }
  return nullptr;
}

void Window::UseSizeMemory(SizeMemory* memory) {
  size_memory_ = memory;
  if (!memory) return;
  int w = memory->ReadWidth(name_);
  int h = memory->ReadHeight(name_);
  int max_w = std::max(system_.SystemMetric(Metric::kScreenWidth), kMinStoredSize);
  int max_h = std::max(system_.SystemMetric(Metric::kScreenHeight), kMinStoredSize);
  bool use_w = w >= kMinStoredSize && w <= max_w;
  bool use_h = h >= kMinStoredSize && h <= max_h;
  if (use_w || use_h) SetSize(use_w ? w : width_, use_h ? h : height_);
}

void Window::StoreSize() {
  if (size_memory_) size_memory_->Write(name_, restored_width_, restored_height_);
}

void Window::Create() {
  if (created_) return;
  created_ = true;
  if (OnCreate) OnCreate();
}

void Window::Show() {
  Create();
  if (visible_) return;
  if (!realised_) system_.Realise(*this);
  if (position_ == Position::kScreenCenter ||
      (position_ == Position::kOwnerCenter && !owner_window_)) {
    SetPosition((system_.SystemMetric(Metric::kScreenWidth) - width_) / 2,
                (system_.SystemMetric(Metric::kScreenHeight) - height_) / 2);
  } else if (position_ == Position::kOwnerCenter) {
    SetPosition(owner_window_->left_ + (owner_window_->width_ - width_) / 2,
                owner_window_->top_ + (owner_window_->height_ - height_) / 2);
  }
  visible_ = true;
  system_.ShowWindow(*this, true);
  if (OnShow) OnShow();
}

void Window::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (realised_) system_.ShowWindow(*this, false);
}

int Window::ShowModal() {
  modal_result_ = 0;
  modal_ = true;
  system_.EnterModal();
  Show();
  if (visible_) system_.RunModal(*this);
  system_.LeaveModal();
  modal_ = false;
  Hide();
  return modal_result_ != 0 ? modal_result_ : 2;
}

void Window::SetModalResult(int result) {
  modal_result_ = result;
  if (modal_ && result != 0 && !Close()) modal_result_ = 0;
}

bool Window::Close() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(can_close);
  if (!can_close) return false;
  StoreSize();
  if (OnClose) OnClose();
  Hide();
  return true;
}

void Window::Minimise() {
  state_ = WindowState::kMinimised;
  system_.Minimise(*this);
}

void Window::Register(Control* control) { controls_.push_back(control); }

void Window::Unregister(Control* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Window::SizeChangedByUser(int width, int height) {
  width_ = width;
  height_ = height;
  if (state_ == WindowState::kNormal) {
    restored_width_ = width;
    restored_height_ = height;
  }
  if (OnResize) OnResize();
}

}  // namespace ui
