#pragma once

// Turns download and install progress into one percentage: the download
// fills the first share of the bar (the configured download scale), the
// package's installation the rest. Every install event moves the bar by at
// least 0.15 of the install share, up to 0.95 of it, so that it keeps moving
// even when a package reports no progress; a larger reported value wins.
class InstallProgress {
public:
    explicit InstallProgress(double downloadScale) : downloadScale_(downloadScale) {}

    // The percentage for a download fraction from 0 to 1.
    int OnDownloadProgress(double fraction) const;

    // The percentage after an install event carrying a fraction from 0 to 1.
    int OnInstallProgress(double fraction);

    // A percentage as a bar shows it: within 0 to 100, whatever the scale.
    static int Clamp(int percent);

private:
    double downloadScale_;
    double smoothedInstall_ = 0.0;
};
