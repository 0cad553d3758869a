unit QMHCEdit;

{ Quillmark HelpContext property editor for Delphi 2 (sample). }

interface

procedure Register;

implementation

procedure Register;
begin
  { registers the HelpContext editor with the Delphi 2 IDE }
end;

end.
