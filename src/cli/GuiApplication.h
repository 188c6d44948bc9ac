#pragma once
// Commands that measure or draw text need a GUI application for fonts; the batch tool makes one on
// the offscreen platform, so it runs without a display.

#include <memory>

#include <QGuiApplication>

namespace corvane::cli {

// A new application when none exists yet (keep it alive while drawing), else nullptr.
std::unique_ptr<QGuiApplication> EnsureGuiApplication();

} // namespace corvane::cli
