#pragma once
// The Apply action: store the settings, load the track and the photos, place and reduce,
// write every page the data allows and show the main one.
#include "pipeline/ApplyDocument.h"
#include "pipeline/ApplyHost.h"
#include "pipeline/ControlPanel.h"
#include "settings/SettingsStore.h"

namespace trackalbum {

enum class ApplyResult {
    Completed,  // reached "適用処理完了"
    Failed,     // an error ended the run; the host was shown its description
};

ApplyResult Apply(ControlPanel& panel, const SettingsStore& store, ApplyDocument& document,
                  ApplyHost& host);

// The fixed texts of the status box and the boxes.
namespace ApplyText {
constexpr const char* SettingsSaved = "地図設定値の保存完了";
constexpr const char* SettingsOnly = "設定値の保存だけ実行しました。";
constexpr const char* RouteWritten = "ルートのみHTML出力";
constexpr const char* PicturesWritten = "写真のみHTML出力";
constexpr const char* RouteAndPicturesWritten = "ルートと写真のHTML出力";
constexpr const char* ProfileWritten = "プロファイルのHTML出力";
constexpr const char* ShowStarted = "HTML表示開始";
constexpr const char* Completed = "適用処理完了";
constexpr const char* SettingsNotStored = "設定値をファイルに保存できませんでした。";
}  // namespace ApplyText

}  // namespace trackalbum
