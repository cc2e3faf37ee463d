#include "plugin/run/win32/ContinueWork.h"

#include "plugin/export/win32/PluginExport.h"
#include "plugin/run/win32/PluginServices.h"
#include "plugin/ui/win32/FilterDialog.h"
#include "plugin/ui/win32/PreviewCanvas.h"
#include "plugin/ui/win32/SliderWindow.h"

namespace {

// The dialog's own window classes exist, under the plug-in's module handle, only while it
// runs, so that nothing of them is left when the host unloads the module.
class DialogClasses {
  public:
    explicit DialogClasses(HINSTANCE instance) : instance_(instance) {
        RegisterSliderClass(instance_);
        RegisterCanvasClass(instance_);
    }
    ~DialogClasses() {
        UnregisterCanvasClass(instance_);
        UnregisterSliderClass(instance_);
    }
    DialogClasses(const DialogClasses&) = delete;
    DialogClasses& operator=(const DialogClasses&) = delete;

  private:
    HINSTANCE instance_;
};

} // namespace

void RunContinueWork(FilterGlobals& globals, PictureMesh& mesh, const ContinueContext& context) {
    SetCursor(context.previousCursor);
    const HINSTANCE instance = PluginInstance();
    INT_PTR ended = 0;
    {
        const DialogClasses classes(instance);
        ended = RunFilterDialog(instance, context.hostWindow, globals, mesh.Buffers());
    }
    if (ended == 1)
        ExportFromPlugin(mesh.Settings(), mesh.Buffers(), context.hostWindow,
                         ExportRecordOf(globals).progressProc, context.reporter, instance);
}
