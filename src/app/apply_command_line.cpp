#include "app/apply_command_line.h"

namespace {
constexpr double kDefaultDownloadScale = 0.7;
}  // namespace

void ApplyCommandLine(CInstallerConfig& config, const CommandLineArgs& args) {
    if (args.Has("-downloadurl")) config.SetDownloadUrl(args.GetString("-downloadurl"));
    if (args.Has("-downloadtype")) config.m_DownloadType = args.GetInt("-downloadtype");
    if (args.Has("-downloadscale")) {
        config.m_DownloadScale = args.GetDouble("-downloadscale", kDefaultDownloadScale);
    }
    if (args.Has("-ischecknet")) config.m_IsCheckNet = args.GetBool("-ischecknet");
    if (args.Has("-isenableappsensors")) {
        config.m_IsEnableAppSensors = args.GetBool("-isenableappsensors");
    }
    if (args.Has("-dlappnamesuffix")) config.m_DlAppNameSuffix = args.GetString("-dlappnamesuffix");
    if (args.Has("-dlappversion")) config.m_DlAppVersion = args.GetString("-dlappversion");
    if (args.Has("-instcmd")) config.m_InstCmd = args.GetString("-instcmd");
    if (args.Has("-language")) config.m_Language = args.GetInt("-language");
    if (args.Has("-insnew")) config.m_InsNew = args.GetBool("-insnew");
}
