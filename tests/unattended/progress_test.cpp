#include <gtest/gtest.h>

#include <cstdio>

#include "install/install_progress.h"
#include "unattended/progress_display.h"

namespace {

TEST(InstallProgressTest, DownloadFillsItsShare) {
    EXPECT_EQ(InstallProgress(0.7).OnDownloadProgress(0.5), 35);
    EXPECT_EQ(InstallProgress(0.7).OnDownloadProgress(1.0), 70);
    EXPECT_EQ(InstallProgress(0.0).OnDownloadProgress(1.0), 0);
}

TEST(InstallProgressTest, InstallStepsAtLeastAFixedAmount) {
    InstallProgress progress(0.7);
    // Three silent events, then a reported value, then silence again.
    EXPECT_EQ(progress.OnInstallProgress(0), 74);
    EXPECT_EQ(progress.OnInstallProgress(0), 78);
    EXPECT_EQ(progress.OnInstallProgress(0), 83);
    EXPECT_EQ(progress.OnInstallProgress(0.9), 97);
    EXPECT_EQ(progress.OnInstallProgress(0), 98);
    EXPECT_EQ(progress.OnInstallProgress(1.0), 100);
}

TEST(InstallProgressTest, BarsStayWithinTheirBounds) {
    EXPECT_EQ(InstallProgress::Clamp(InstallProgress(5.0).OnDownloadProgress(1.0)), 100);
    EXPECT_EQ(InstallProgress::Clamp(InstallProgress(-1.0).OnDownloadProgress(1.0)), 0);
}

std::string Captured(bool terminal, void (*draw)(ProgressDisplay&)) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = ::open_memstream(&buffer, &size);
    {
        ProgressDisplay display(out, terminal);
        draw(display);
    }
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

TEST(ProgressDisplayTest, PlainLinesOnlyWhenThePercentageChanges) {
    const std::string text = Captured(false, [](ProgressDisplay& d) {
        d.ShowDownload(10, 1024);
        d.ShowDownload(10, 2048);
        d.ShowInstall(75);
        d.ShowInstall(120);
        d.Finish();
    });
    EXPECT_EQ(text, "progress 10%\nprogress 75%\nprogress 100%\n");
}

TEST(ProgressDisplayTest, TerminalRedrawsOneLine) {
    const std::string text = Captured(true, [](ProgressDisplay& d) {
        d.ShowDownload(50, 3.5 * 1024 * 1024);
        d.ShowInstall(100);
        d.Finish();
    });
    const std::string first = ProgressDisplay::FormatBar(50, "3.5 MiB/s");
    const std::string second = ProgressDisplay::FormatBar(100, "");
    EXPECT_EQ(text, "\r" + first + "\r" + second + std::string(first.size() - second.size(), ' ') + "\n");
    EXPECT_NE(first.find("[###############...............]  50%"), std::string::npos) << first;
}

TEST(ProgressDisplayTest, FormatsSpeeds) {
    EXPECT_EQ(ProgressDisplay::FormatSpeed(512), "512 B/s");
    EXPECT_EQ(ProgressDisplay::FormatSpeed(1536), "1.5 KiB/s");
    EXPECT_EQ(ProgressDisplay::FormatSpeed(10.0 * 1024 * 1024), "10.0 MiB/s");
}

}  // namespace
