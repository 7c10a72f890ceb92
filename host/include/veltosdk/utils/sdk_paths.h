// Directories the platform SDK keeps for the client, under its global directory
// (veltosdk::utils::environment::GetGlobalDirectory): business files, databases, avatars.
#pragma once

#include <string>

namespace veltosdk::utils::service {
std::string GetBizDirPath();    // <global>/biz
std::string GetDatabasePath();  // <global>/database
std::string GetAvatarPath();    // <global>/avatar
}  // namespace veltosdk::utils::service
