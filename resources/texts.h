#pragma once
// Every text the user sees, exactly as the program shows it (UTF-8; converted at the UI edge).
// Each area keeps its texts in its own block; add new ones to the block of your area.

namespace texts {

// ---- Application frame ----
inline constexpr char kTitlePrefix[] = "Vellumarkライター　version 5.00  ";
inline constexpr char kNewSceneSuffix[] = "[新規作成]";
inline constexpr char kOpenGlInitFailed[] = "OpenGL初期化失敗";
// Shown with the help book's path on the next line.
inline constexpr char kHelpBookMissing[] =
    "ヘルプファイルが見つからないため、ヘルプを表示できません。";
// The help viewer's caption; %s: the title of the page shown.
inline constexpr char kHelpWindowTitle[] = "Vellumarkライター ヘルプ - %s";

// ---- OpenGL context ----
inline constexpr char kGetDcFailed[] = "Getting HDC Failed....";
inline constexpr char kChoosePixelFormatFailed[] = "ChoosePixelFormat Failed....";
inline constexpr char kSetPixelFormatFailed[] = "SetPixelFormat Failed....";
inline constexpr char kCreateContextFailed[] = "Creating HGLRC Failed....";
inline constexpr char kReleaseContextFailed[] = "Release HGLRC Failed....";
inline constexpr char kReleaseDcFailed[] = "Release HDC Failed....";
inline constexpr char kCaptionErrorUpper[] = "ERROR";
inline constexpr char kCaptionErrorMixed[] = "Error";

// ---- Glyph builder ----
inline constexpr char kTooManyCharacters[] = "文字数が多すぎます";
inline constexpr char kTooManyCharactersCaption[] = "Vellumarkライター";
inline constexpr char kFontCreationCaption[] = "フォント作成";
inline constexpr char kFontCreationFailed[] =
    "フォントの作成に失敗しました。\n選択したフォントに日本語フォントは、ありません。";
inline constexpr char kFontFallingBack[] = "デフォルトのフォントに戻します。";

// ---- Commands and menus ----
inline constexpr char kMenuFile[] = "ファイル(&F)";
inline constexpr char kMenuNewScene[] = "新規作成(&N)";
inline constexpr char kMenuOpen[] = "開く(&O)";
inline constexpr char kMenuSaveAs[] = "名前を付けて保存(&A)";
inline constexpr char kMenuSave[] = "上書き保存(&S)";
inline constexpr char kMenuExportModel[] = "3Dモデルのエクスポート(&E)...";
inline constexpr char kMenuPreferences[] = "環境設定";
inline constexpr char kMenuExit[] = "終了(&X)";
inline constexpr char kMenuCapture[] = "キャプチャ(&C)";
inline constexpr char kMenuCaptureScene[] = "現在のシーンをキャプチャ(&S)";
inline constexpr char kMenuCaptureRegion[] = "領域を指定してキャプチャ(&R)";
inline constexpr char kMenuEdit[] = "編集(&E)";
inline constexpr char kMenuNewObject[] = "新規オブジェクトの作成(&N)　Ctrl+N";
inline constexpr char kMenuSelectObject[] = "オブジェクトの選択(&S)        Ctrl+B";
inline constexpr char kMenuLight[] = "光源のプロパティ(&L)";
inline constexpr char kMenuShadow[] = "影のプロパティ(&S)";
inline constexpr char kMenuTarget[] = "視点先の変更(&I)";
inline constexpr char kMenuView[] = "表示(&V)";
inline constexpr char kMenuResetView[] = "視点を元の位置に戻す(&R)　Ctrl+R";
inline constexpr char kMenuGuideLines[] = "補助線を表示する(&S)        Ctrl+S";
inline constexpr char kMenuPreview[] = "アンチエイリアス処理プレビュー(&A)";
inline constexpr char kMenuZoomIn[] = "ズームイン(&I) 　                Ctrl+I";
inline constexpr char kMenuZoomOut[] = "ズームアウト(&O)                Crtl+O";
inline constexpr char kMenuHelp[] = "ヘルプ(&H)";
inline constexpr char kMenuHelpContents[] = "目次(&C)      F1";
inline constexpr char kMenuVersion[] = "バージョン情報(&A)";
inline constexpr char kPopupEditText[] = "文字・文字列の編集(&E)";
inline constexpr char kPopupDeleteObject[] = "このオブジェクトを削除(&D)";
inline constexpr char kPopupColour[] = "色の変更(&C)";
inline constexpr char kPopupFont[] = "フォントの変更(&F)";
inline constexpr char kPopupPosition[] = "位置の入力(&P)";
inline constexpr char kPopupSize[] = "大きさの入力(&S)";
inline constexpr char kPopupRotation[] = "姿勢の入力(&A)";
inline constexpr char kPopupLoadTexture[] = "テクスチャの読み込み(&T)";
inline constexpr char kPopupDeleteTexture[] = "テクスチャの削除(&D)";
inline constexpr char kPopupBevel[] = "ベベルの設定(&B)...";
inline constexpr char kPopupSurface[] = "質感の設定(&M)...";
inline constexpr char kMenuStudioLook[] = "スタジオ表示(&T)";
inline constexpr char kMenuStudioSettings[] = "スタジオの設定(&G)...";
inline constexpr char kPopupTypography[] = "文字組みの設定(&L)...";
inline constexpr char kTipNewObject[] = "文字・文字列の追加";
inline constexpr char kTipCapture[] = "BMPファイルへ出力";
inline constexpr char kTipPreview[] = "アンチエリアス処理プレビュー";
inline constexpr char kTipEditText[] = "文字・文字列の編集";
inline constexpr char kTipDeleteText[] = "文字・文字列の削除";
inline constexpr char kTipColour[] = "色の変更";
inline constexpr char kTipSize[] = "大きさの変更";
inline constexpr char kTipPosition[] = "位置の変更";
inline constexpr char kTipTilt[] = "傾きの変更";
inline constexpr char kTipFont[] = "フォントの変更";
inline constexpr char kTipTexture[] = "テクスチャの貼り付け";
inline constexpr char kTipDeleteTexture[] = "テクスチャの削除";
inline constexpr char kTipZoomIn[] = "ズームイン";
inline constexpr char kTipZoomOut[] = "ズームアウト";
inline constexpr char kTipGuideLines[] = "補助線の表示・非表示";
inline constexpr char kTipShadow[] = "影のプロパティ";
inline constexpr char kTipLight[] = "光源のプロパティ";
inline constexpr char kTipHelp[] = "ヘルプの表示";
inline constexpr char kObjectsFull[] = "オブジェクトはいっぱいです。";
// %s: the object's text.
inline constexpr char kDeleteObjectQuestion[] = "%s　を削除してよろしいですか？";
inline constexpr char kDeleteObjectCaption[] = "削除の確認";
inline constexpr char kUnsavedOnClose[] = "現在の編集状況は保存されていません。保存しますか？";
inline constexpr char kUnsavedOnClear[] = "現在の編集状況はクリアされます。保存しますか？";
inline constexpr char kFontNameNotStorable[] =
    "このフォントは名前に使用できない文字を含んでいるため選べません。";
// Undo and redo: the plain captions, and with the step they would undo or redo (%s).
inline constexpr char kMenuUndo[] = "元に戻す(&U)　Ctrl+Z";
inline constexpr char kMenuRedo[] = "やり直し(&R)　Ctrl+Y";
inline constexpr char kMenuUndoStep[] = "元に戻す: %s(&U)　Ctrl+Z";
inline constexpr char kMenuRedoStep[] = "やり直し: %s(&R)　Ctrl+Y";
inline constexpr char kStepNewObject[] = "オブジェクトの作成";
inline constexpr char kStepDeleteObject[] = "オブジェクトの削除";
inline constexpr char kStepText[] = "文字の編集";
inline constexpr char kStepFont[] = "フォントの変更";
inline constexpr char kStepLoadTexture[] = "テクスチャの読み込み";
inline constexpr char kStepDeleteTexture[] = "テクスチャの削除";
inline constexpr char kStepColour[] = "色の変更";
inline constexpr char kStepPosition[] = "位置の変更";
inline constexpr char kStepSize[] = "大きさの変更";
inline constexpr char kStepRotation[] = "姿勢の変更";
inline constexpr char kStepBevel[] = "ベベルの変更";
inline constexpr char kStepSurface[] = "質感の変更";
inline constexpr char kStepTypography[] = "文字組みの変更";
inline constexpr char kStepLight[] = "光源の変更";
inline constexpr char kStepShadow[] = "影の変更";
inline constexpr char kStepTarget[] = "視点先の変更";
inline constexpr char kStepBackground[] = "背景色の変更";
inline constexpr char kStepPerspective[] = "遠近感の変更";
inline constexpr char kStepLook[] = "スタジオ表示の切り替え";
inline constexpr char kStepStudio[] = "スタジオの設定の変更";

// ---- Dialogs ----
inline constexpr char kTextEntryCaption[] = "文字・文字列変更ダイアログ";
inline constexpr char kTextEntryPrompt[] = "ここへテキストを入力してください。";
inline constexpr char kTextEntryClose[] = "閉じる(&C)";
inline constexpr char kTextEntryApply[] = "適用(&A)";
inline constexpr char kTextEntryEmptyQuestion[] =
    "何も入力されていません。\nオブジェクトを削除してよろしいですか？";
inline constexpr char kConfirmCaption[] = "確認";
// %s: the first character that cannot be stored.
inline constexpr char kTextNotStorable[] =
    "「%s」は使用できない文字です。\nこの文字を除いて入力し直してください。";
inline constexpr char kAboutCaption[] = "バージョン情報";
inline constexpr char kAboutProgram[] = "Vellumarkライター　version 5.00";
inline constexpr char kAboutOk[] = "OK";
// Buttons of the message boxes and the number prompt, whatever the desktop's locale.
inline constexpr char kButtonYes[] = "はい(&Y)";
inline constexpr char kButtonNo[] = "いいえ(&N)";
inline constexpr char kButtonOk[] = "OK";
inline constexpr char kButtonCancel[] = "キャンセル";
// %ld, %ld: the smallest and the largest number the prompt takes.
inline constexpr char kNumberOutOfRange[] = "%ldから%ldまでの整数を入力してください。";

// ---- Command line ----
inline constexpr char kCommandLineUsage[] =
    "使い方: vellumark [オプション] [ファイル.vmk]\n"
    "\n"
    "  ファイル.vmk  起動時に開くシーンファイル\n"
    "  --help        この説明を表示して終了します\n"
    "  --version     バージョンを表示して終了します\n";
// Followed by the argument.
inline constexpr char kCommandLineIgnored[] = "vellumark: 次の引数は無視しました: ";
// The window was asked for where no display can be opened.
inline constexpr char kNoDisplay[] =
    "vellumark: 画面(ディスプレイ)に接続できないため、ウィンドウを開けません。"
    "画面なしで画像や3Dモデルを作るには -o を使います (vellumark -o 出力ファイル シーン.vmk)。";

// Property dialogs (position, size, rotation, light, target, material, shadow)
inline constexpr char kPropertyClose[] = "閉じる(&C)";
inline constexpr char kPositionCaption[] = "位置の入力";
inline constexpr char kScaleCaption[] = "拡大縮小（スケーリング）の入力";
inline constexpr char kRotationCaption[] = "回転角度（姿勢）の入力";
inline constexpr char kLightCaption[] = "光源のプロパティ";
inline constexpr char kTargetCaption[] = "視点先の位置の入力";
inline constexpr char kCoordinateX[] = "X軸座標";
inline constexpr char kCoordinateY[] = "Y軸座標";
inline constexpr char kCoordinateZ[] = "Z軸座標";
inline constexpr char kDirectionX[] = "X軸方向";
inline constexpr char kDirectionY[] = "Y軸方向";
inline constexpr char kDirectionZ[] = "Z軸方向";
inline constexpr char kAroundX[] = "X軸まわり";
inline constexpr char kAroundY[] = "Y軸まわり";
inline constexpr char kAroundZ[] = "Z軸まわり";
inline constexpr char kShowLight[] = "光源を表示する。";
inline constexpr char kParallelLight[] = "平行光源にする。";
inline constexpr char kMaterialCaption[] = "色・材質の設定";
inline constexpr char kRedComponent[] = "R（赤）";
inline constexpr char kGreenComponent[] = "G（緑）";
inline constexpr char kBlueComponent[] = "B（青）";
inline constexpr char kDiffuseHeading[] = "拡散反射係数";
inline constexpr char kDiffuseNote[] = "（表面の色）";
inline constexpr char kSpecularHeading[] = "鏡面反射係数";
inline constexpr char kSpecularNote[] = "（つややかさ）";
inline constexpr char kAmbientHeading[] = "環境光";
inline constexpr char kAmbientNote[] = "（光のない部分）";
inline constexpr char kCreateColour[] = "色の作成";
inline constexpr char kShadowCaption[] = "影のプロパティ";
inline constexpr char kDrawShadow[] = "影を描画する。";
inline constexpr char kShadowColour[] = "影の色";
inline constexpr char kShadowPlane[] = "影が写る平面の平面方程式係数";

// Bevel dialog
inline constexpr char kBevelCaption[] = "ベベルの設定";
inline constexpr char kBevelProfile[] = "形状";
inline constexpr char kBevelNone[] = "なし";
inline constexpr char kBevelChamfer[] = "面取り";
inline constexpr char kBevelRound[] = "丸み";
inline constexpr char kBevelWidth[] = "幅（em）";
inline constexpr char kBevelDepth[] = "深さ（em）";
inline constexpr char kBevelSegments[] = "丸みの分割数";
inline constexpr char kBevelBackToo[] = "裏面の縁にも付ける。";

// Typography dialog
inline constexpr char kTypographyCaption[] = "文字組みの設定";
inline constexpr char kTypographyKerning[] = "カーニング";
inline constexpr char kTypographyProportional[] = "プロポーショナル";
inline constexpr char kTypographyTracking[] = "字間（em）";
inline constexpr char kTypographyLineDistance[] = "行間（em）";
inline constexpr char kTypographyFaceLineDistance[] = "フォントの行間を使う";
inline constexpr char kTypographyAlignment[] = "揃え";
inline constexpr char kTypographyAlignLeft[] = "左";
inline constexpr char kTypographyAlignCentre[] = "中央";
inline constexpr char kTypographyAlignRight[] = "右";
inline constexpr char kTypographyVertical[] = "縦書き";
inline constexpr char kTypographyUprightLatin[] = "縦書きで欧文・数字を立てる";
inline constexpr char kPlaneA[] = "A =";
inline constexpr char kPlaneB[] = "B =";
inline constexpr char kPlaneC[] = "C =";
inline constexpr char kPlaneD[] = "D =";
inline constexpr char kShadowSeeHelp[] = "※詳しくはヘルプを参照してください。";

// Surface dialog
inline constexpr char kSurfaceCaption[] = "質感の設定";
inline constexpr char kSurfacePreset[] = "プリセット";
inline constexpr char kSurfacePresetNone[] = "なし";
inline constexpr char kSurfaceGold[] = "金";
inline constexpr char kSurfaceSilver[] = "銀";
inline constexpr char kSurfaceCopper[] = "銅";
inline constexpr char kSurfaceChrome[] = "クローム";
inline constexpr char kSurfaceGlossyPlastic[] = "光沢プラスチック";
inline constexpr char kSurfaceMatte[] = "つや消し";
inline constexpr char kSurfaceOriginalColour[] = "元の色";
inline constexpr char kSurfaceMetallic[] = "金属度（0〜1）";
inline constexpr char kSurfaceRoughness[] = "粗さ（0.04〜1）";

// Studio settings dialog
inline constexpr char kStudioCaption[] = "スタジオの設定";
inline constexpr char kStudioEnvironment[] = "環境光";
inline constexpr char kStudioBuiltIn[] = "内蔵のスタジオ照明";
inline constexpr char kStudioHdrFile[] = "HDRファイル";
inline constexpr char kStudioBrowse[] = "参照(&B)...";
inline constexpr char kStudioHdrFilter[] = "Radiance HDRファイル (*.hdr)";
inline constexpr char kStudioHdrTitle[] = "環境光のHDRファイルを開く";
inline constexpr char kStudioExposure[] = "露出（EV）";
inline constexpr char kStudioShadowSoftness[] = "影の柔らかさ（0〜100）";
inline constexpr char kStudioGroundReflection[] = "床に映り込みを付ける。";
inline constexpr char kStudioAmbientOcclusion[] =
    "隅の陰り（アンビエントオクルージョン）を付ける。";

// Object selection dialog
inline constexpr char kObjectSelectCaption[] = "オブジェクト選択ダイアログ";
inline constexpr char kObjectSelectPrompt[] = "下のボックスでオブジェクトを選択してください。";
inline constexpr char kObjectSelectClose[] = "閉じる(&C)";
inline constexpr char kObjectSelectEditText[] = "文字の編集";
inline constexpr char kObjectSelectDelete[] = "削除";
inline constexpr char kObjectSelectColour[] = "色の設定";
inline constexpr char kObjectSelectSize[] = "大きさ";
inline constexpr char kObjectSelectTilt[] = "傾き";
inline constexpr char kObjectSelectPosition[] = "位置";
// Half-width katakana on purpose.
inline constexpr char kObjectSelectLoadTexture[] = "ﾃｸｽﾁｬを張る";
inline constexpr char kObjectSelectDeleteTexture[] = "ﾃｸｽﾁｬの削除";
inline constexpr char kObjectSelectFont[] = "フォント変更";
inline constexpr char kNoObjects[] = "オブジェクトはありません。";

// ---- Textures ----
inline constexpr char kBmpCaption[] = "BMP to RGB";
inline constexpr char kBadAlpha[] = "アルファ値が不正です。";
inline constexpr char kBmpOpenFailed[] = "ファイルオープン失敗";
// %c: the file's first byte, %d: its colour depth.
inline constexpr char kBadBitmapFormat[] =
    "ビットマップフォーマットが不正です。\nファイルタイプ　%c\n色数　　%dbit";
inline constexpr char kBadBitmapSize[] = "ビットマップのファイルのサイズが不正です。";
inline constexpr char kTextureMemoryFailed[] = "テクスチャメモリ確保失敗";
inline constexpr char kNoTextureLoaded[] = "テクスチャは読み込まれていません";
inline constexpr char kBitmapFilter[] = "ビットマップファイル (*.bmp)";
inline constexpr char kTextureDialogTitle[] = "テクスチャ用ビットマップファイルを開く";

// ---- Scene files ----
inline constexpr char kSceneFilter[] = "Vellumarkファイル (*.vmk)";
inline constexpr char kSaveSceneTitle[] = "Vellumarkファイルを保存";
inline constexpr char kOpenSceneTitle[] = "Vellumarkファイルを開く";
inline constexpr char kNotSceneFile[] = "Vellumarkライターのファイルではありません。";
// Followed by a line with the path.
inline constexpr char kSceneSaveFailed[] =
    "ファイルを保存できませんでした。以前のファイルはそのまま残っています。";
inline constexpr char kSceneOpenFailed[] = "ファイルを開けませんでした。";
// Followed by a line with the path.
inline constexpr char kSceneExtensionDamaged[] =
    "ファイルの末尾にある追加の設定(ベベルなど)が壊れているため、読み込みませんでした。"
    "文字のオブジェクトはそのまま開きます。";
inline constexpr char kPathNotStorable[] =
    "このパスは長すぎるか、使用できない文字を含んでいるため使えません。";
// Followed by a line with the environment file's path.
inline constexpr char kEnvironmentNotKept[] =
    "シーンは保存しましたが、環境光のHDRファイルの指定はファイルに収まらないため保存できません"
    "でした。開き直すと内蔵のスタジオ照明になります。";

// ---- Capture and JPEG export ----
inline constexpr char kJpegFilter[] = "JPEGファイル (*.jpg)";
inline constexpr char kCaptureDialogTitle[] = "現在のシーンを保存(名前を付けて保存)";
// Followed by a line with the path.
inline constexpr char kCaptureWriteFailed[] = "画像ファイルを書き込めませんでした。";
inline constexpr char kJpegWriterMissing[] =
    "JPEG出力ライブラリ(libSaveJPG.so)が見つからないため、JPEGファイルを書き込めません。";
inline constexpr char kCaptureEmptyRegion[] =
    "範囲の幅または高さが0のため、キャプチャしませんでした。";
// Follows the path of a file that already exists (scene and capture save dialogs).
inline constexpr char kReplaceQuestion[] = " は既に存在します。\n上書きしますか？";
inline constexpr char kAntialiasCaption[] = "アンチエイリアス処理中・・・・・・";
inline constexpr char kPngFilter[] = "PNGファイル (*.png)";

// ---- Capture at a chosen size ----
inline constexpr char kMenuCaptureSized[] = "サイズを指定してキャプチャ(&Z)...";
inline constexpr char kSizedCaptureCaption[] = "サイズを指定してキャプチャ";
inline constexpr char kSizedWidthLabel[] = "幅(ピクセル)";
inline constexpr char kSizedHeightLabel[] = "高さ(ピクセル)";
inline constexpr char kSizedAntialiasLabel[] = "アンチエイリアス処理";
inline constexpr char kSizedAntialiasOff[] = "なし";
// %d: the number of passes.
inline constexpr char kSizedAntialiasPasses[] = "%d回";
inline constexpr char kSizedTransparentCheck[] = "背景を透明にする(PNGのみ)";
inline constexpr char kSizedLookLabel[] = "見た目";
inline constexpr char kSizedLookClassic[] = "クラシック";
inline constexpr char kSizedLookStudio[] = "スタジオ";
inline constexpr char kSizedPreviewLabel[] = "縦横比";
inline constexpr char kSizedCaptureOk[] = "キャプチャ...";
inline constexpr char kSizedCaptureCancel[] = "キャンセル";
inline constexpr char kSizedProgressCaption[] = "キャプチャ中";
inline constexpr char kSizedProgressMessage[] = "画像を作成しています・・・";
inline constexpr char kSizedNoFramebuffer[] =
    "このサイズの画像を作成できませんでした(フレームバッファを用意できません)。";
inline constexpr char kSizedTransparentNeedsPng[] =
    "背景を透明にした画像はPNGファイルにだけ保存できます。";

// ---- Animations ----
inline constexpr char kMenuExportAnimation[] = "アニメーションの書き出し(&A)...";
inline constexpr char kAnimationCaption[] = "アニメーションの書き出し";
inline constexpr char kAnimationKindLabel[] = "種類";
inline constexpr char kAnimationTurntable[] = "回転";
inline constexpr char kAnimationSwing[] = "揺れ";
inline constexpr char kAnimationEntrance[] = "登場";
inline constexpr char kAnimationSecondsLabel[] = "長さ(秒)";
inline constexpr char kAnimationFpsLabel[] = "コマ数(毎秒)";
inline constexpr char kAnimationSwingLabel[] = "揺れの角度(度)";
inline constexpr char kAnimationTransparentCheck[] = "背景を透明にする(MP4以外)";
inline constexpr char kAnimationPreviewLabel[] = "動き";
inline constexpr char kAnimationOk[] = "書き出し...";
inline constexpr char kAnimationSaveTitle[] = "アニメーションの書き出し(名前を付けて保存)";
inline constexpr char kWebpFilter[] = "WebPアニメーション (*.webp)";
inline constexpr char kApngFilter[] = "PNGアニメーション (*.png)";
inline constexpr char kGifFilter[] = "GIFアニメーション (*.gif)";
inline constexpr char kMp4Filter[] = "MP4動画 (*.mp4)";
inline constexpr char kWebmFilter[] = "WebM動画 (*.webm)";
inline constexpr char kAnimationProgressCaption[] = "アニメーションの書き出し中";
inline constexpr char kAnimationProgressMessage[] = "コマを作成しています・・・";
inline constexpr char kAnimationTransparentNotMp4[] =
    "背景を透明にしたアニメーションはMP4ファイルには保存できません。";
// Windows only: its program writes animated WebP alone.
inline constexpr char kAnimationTypeUnavailable[] =
    "この形式のアニメーションはWindows版では書き出せません。\nWebPアニメーション (*.webp) "
    "をお使いください。";
// Followed by a line with the path.
inline constexpr char kAnimationWriteFailed[] = "アニメーションファイルを書き込めませんでした。";

// ---- 3D model export ----
inline constexpr char kExportModelTitle[] = "3Dモデルのエクスポート";
inline constexpr char kGlbFilter[] = "glTF バイナリ (*.glb)";
inline constexpr char k3mfFilter[] = "3MF (*.3mf)";
inline constexpr char kStlFilter[] = "STL (*.stl)";
inline constexpr char kObjFilter[] = "OBJ (*.obj)";
inline constexpr char kPrintSizeMessage[] =
    "3Dプリント用のサイズを指定してください。\nシーン全体の最も長い辺がこの長さになります。";
inline constexpr char kPrintSizeLabel[] = "サイズ(mm)";
inline constexpr char kExportEmptyScene[] =
    "エクスポートする文字がありません。文字のオブジェクトを作成してください。";
// Follows the paths of the files beside an OBJ file that exist already, one a line.
inline constexpr char kCompanionReplaceQuestion[] =
    "は既に存在します。\nOBJファイルと一緒に書き出すため、これらのファイルも上書きしますか？";
// Followed by a line with the path.
inline constexpr char kExportFailed[] = "3Dモデルファイルを書き込めませんでした。";

// ---- Command line: pictures without a window ----
// Each message is followed by ": " and the option, value or file it is about.
inline constexpr char kCliUsage[] =
    "使い方: vellumark -o 出力ファイル シーン.vmk [オプション]\n"
    "  出力の形式は拡張子で決まります。\n"
    "  画像 (.png .jpg .jpeg .bmp):\n"
    "  --size 幅x高さ          画像のサイズ (既定 800x600、一辺16384まで)\n"
    "  --antialias off|2|3|4|8|15|24|66\n"
    "                          アンチエイリアス処理の回数 (既定 8)\n"
    "  --transparent           背景を透明にする (PNGのみ)\n"
    "  --background R,G,B      背景色 (各0〜255)\n"
    "  --quality 1..100        JPEGの品質 (既定 50)\n"
    "  --progressive|--baseline\n"
    "                          JPEGの圧縮方式 (既定 プログレッシブ)\n"
    "  --look classic|studio   描き方 (既定 シーンの設定、なければ classic)\n"
    "                          studio: 質感・スタジオの光・柔らかい影で描く\n"
    "  --environment ファイル.hdr\n"
    "                          studio で使う環境光のHDR画像 (既定 内蔵のスタジオ)\n"
    "  --exposure EV           studio の露出 (-5〜5、0.1刻み、既定 シーンの設定)\n"
    "  3Dモデル (.glb .3mf .stl .obj):\n"
    "  --size-mm 1..10000      .3mf と .stl でシーンの最も長い辺の長さ (ミリメートル、既定 100)\n"
    "  アニメーション (.webp .png .gif .mp4 .webm、画像のオプションも使えます):\n"
    "  --animate turntable|swing|entrance\n"
    "                          回転・揺れ・登場のアニメーションを作る\n"
    "  --seconds 秒            長さ (既定 4、60秒まで)\n"
    "  --fps 1..60             1秒あたりのコマ数 (既定 30)\n"
    "  --swing-angle 0..90     揺れの片側の角度 (度、既定 15)\n"
    "  --transparent           背景を透明にする (.mp4 以外)\n";
inline constexpr char kCliUnknownOption[] = "不明なオプションです";
inline constexpr char kCliMissingValue[] = "オプションに値がありません";
inline constexpr char kCliBadValue[] = "オプションの値が正しくありません";
inline constexpr char kCliNoScene[] = "シーンファイルが指定されていません";
inline constexpr char kCliOutputIsScene[] = "出力ファイルがシーンファイルと同じです";
inline constexpr char kCliExtraArgument[] = "シーンファイルは一つだけ指定できます";
inline constexpr char kCliBadOutputType[] =
    "出力ファイルの拡張子は .png .jpg .jpeg .bmp .glb .3mf .stl .obj のいずれかです";
inline constexpr char kCliPictureOptionForModel[] =
    "この画像用のオプションは3Dモデルの出力には使えません";
inline constexpr char kCliSizeMmNeedsPrint[] = "--size-mm は .3mf と .stl の出力でのみ使えます";
inline constexpr char kCliTransparentNeedsPng[] = "--transparent はPNG出力でのみ使えます";
inline constexpr char kCliSceneUnreadable[] = "シーンファイルを読み込めません";
inline constexpr char kCliNotSceneFile[] = "シーンファイルではありません";
inline constexpr char kCliCannotWrite[] = "画像ファイルを書き込めません";
inline constexpr char kCliJpegWriterMissing[] =
    "JPEG出力ライブラリ(libSaveJPG.so)が見つからないため、JPEGファイルを書き込めません";
inline constexpr char kCliCannotWriteModel[] = "3Dモデルファイルを書き込めません";
inline constexpr char kCliEmptyScene[] = "シーンにエクスポートする文字がありません";
inline constexpr char kCliEnvironmentUnreadable[] =
    "環境光のファイルを読み込めません (Radiance .hdr 形式のファイルを指定してください)";
inline constexpr char kCliStudioLookUnavailable[] =
    "このOpenGLではスタジオ表示で描けないため、従来の表示で描きました";
inline constexpr char kCliNoContext[] = "オフスクリーンのOpenGLコンテキストを作成できません";
inline constexpr char kCliNoFramebuffer[] = "このサイズの画像を作成できません";
inline constexpr char kCliBadAnimationType[] =
    "アニメーションの出力ファイルの拡張子は .webp .png .gif .mp4 .webm のいずれかです";
inline constexpr char kCliAnimationTypeUnavailable[] =
    "Windows版で書き出せるアニメーションは .webp だけです";
inline constexpr char kCliTransparentNotMp4[] = "--transparent は .mp4 の出力には使えません";

// ---- Preferences ----
inline constexpr char kPreferencesCaption[] = "Vellumarkライターのプロパティ";
inline constexpr char kPreferencesOk[] = "OK";
inline constexpr char kAntialiasLevelLabel[] = "アンチエイリアス処理レベル";
inline constexpr char kSliderLow[] = "低";
inline constexpr char kSliderHigh[] = "高";
inline constexpr char kBackgroundGroup[] = "背景色の設定";
inline constexpr char kAntialiasGroup[] = "アンチエイリアス処理の設定";
inline constexpr char kAntialiasCheck[] = "アンチエイリアス処理を行う。";
inline constexpr char kBackgroundColourButton[] = "色の作成";
inline constexpr char kPerspectiveGroup[] = "遠近感の設定";
inline constexpr char kJpegGroup[] = "JPEG保存の設定";
inline constexpr char kProgressiveCheck[] = "プログレッシブ圧縮を使う。";
inline constexpr char kCompressionLabel[] = "圧縮率の設定";

}  // namespace texts
