// The seven operations that the print dialog drives through the function table, and the
// instance record they share. Each call is forwarded to the instance's one fax pane.
#pragma once

#include <PMPrintingDialogExtensions.h>

class CSendraFaxPanel;
class ConstraintTable;

enum : OSStatus {
    kPMInvalidPDEContext = -9530, // no context or pane, or the pane failed
};

// Which entry point is running, in the pane's phase field; 0 between calls (8 between
// Prologue and Initialize). Only Sync reads it: it tells the first load of the pane.
enum : UInt32 {
    kPDEPhaseIdle = 0,
    kPDEPhaseInitializing = 1,
    kPDEPhaseLoading = 2,
    kPDEPhaseSaving = 3,
    kPDEPhaseTerminating = 6,
    kPDEPhaseSummarizing = 7,
    kPDEPhaseCreated = 8,
};

// The instance record: made by Prologue, handed back by the dialog, freed by Terminate. The
// instance owns the pane and the constraint table that the pane and its windows share.
struct PDEContext {
    CSendraFaxPanel* pane;
    ConstraintTable* constraintTable;
};

// Makes the instance (pane and empty constraint table), registers the help book and hands
// back the context, creator "pde ", kind, title (the caller releases it) and maximum size
// 80 x 60. kPMInvalidPDEContext when the instance cannot be made.
OSStatus Prologue(PMPDEContext* context, OSType* creator, CFStringRef* userOptionKind,
                  CFStringRef* title, UInt32* maxH, UInt32* maxV);
// Marks the PPD's defaults, builds the pane into parentUserPane from the nib and loads it
// (the first Sync). A null session does nothing more (noErr); no PPD, a pane that cannot be
// built or a failed first load give kPMInvalidPDEContext. The flags and ref are not used.
OSStatus Initialize(PMPDEContext context, PMPDEFlags* flags, PMPDERef ref,
                    ControlRef parentUserPane, PMPrintSession printSession);
// kSyncDirectionSetUserInterface loads the pane from the session's ticket (on the first load
// after Initialize also its initial data; on later loads it re-applies the PPD's conflicts);
// kSyncDirectionSetTickets takes the screen's values and writes the pane into the ticket.
// kPMInvalidPrintSession for a null session, a printer that cannot be had or a failed write;
// kPMInvalidTicket when the session holds no ticket; kPMInvalidPDEContext without a pane.
OSStatus Sync(PMPDEContext context, PMPrintSession printSession, Boolean syncDirection);
// Two new arrays (the caller releases them, also when the pane fails): the pane's titles and
// values. kPMInvalidPDEContext when the pane fails; noErr without a context (arrays untouched).
OSStatus GetSummaryText(PMPDEContext context, CFArrayRef* titleArray, CFArrayRef* summaryArray);
// The pane is shown (hidden). kPMInvalidPDEContext without a pane.
OSStatus Open(PMPDEContext context);
OSStatus Close(PMPDEContext context);
// Ends the pane and frees the instance. kPMInvalidPDEContext without a context, or when the
// pane fails to end (the instance is then kept).
OSStatus Terminate(PMPDEContext context, OSStatus status);
